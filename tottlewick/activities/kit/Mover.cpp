// The Mover over the kit clock, with its own heading arithmetic in degrees.
#include "Mover.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "KitClock.h"

namespace {

double degreesPerRadian() {
    return 180.0 / (std::atan(1.0 / 1.0) * 4.0);
}

void setTarget(Mover& m, std::int16_t targetX, std::int16_t targetY) {
    m.stopAtTarget = 1;
    m.targetX = targetX;
    m.targetY = targetY;
    m.heading = Heading(m.startX, m.startY, targetX, targetY);
    m.distance = static_cast<std::int16_t>(Distance(m.startX, m.startY, targetX, targetY));
    m.travel = Rect{std::min(m.startX, targetX), std::min(m.startY, targetY),
                    static_cast<std::int16_t>(std::max(m.startX, targetX) + 1),
                    static_cast<std::int16_t>(std::max(m.startY, targetY) + 1)};
}

bool inside(const Rect& r, std::int16_t x, std::int16_t y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace

Mover* MoverCreate(std::int16_t x, std::int16_t y, std::int16_t targetX, std::int16_t targetY) {
    auto* m = new (std::nothrow) Mover{};
    if (!m) return nullptr;
    m->intX = m->startX = x;
    m->intY = m->startY = y;
    m->x = x;
    m->y = y;
    setTarget(*m, targetX, targetY);
    return m;
}

void MoverFree(Mover* mover) {
    delete mover;
}

void MoverSetSpeed(Mover* mover, double pixelsPerSecond) {
    if (mover) mover->speed = pixelsPerSecond;
}

void MoverStart(Mover* mover) {
    if (!mover) return;
    mover->moving = 1;
    mover->lastTime = KitClockNow();
}

std::uint16_t MoverIsMoving(const Mover* mover) {
    return mover ? mover->moving : 0;
}

std::uint32_t MoverGetPosition(const Mover* mover) {
    return mover ? PointPack(mover->intX, mover->intY) : 0;
}

void MoverStep(Mover* m) {
    if (!m || !m->moving) return;
    const std::uint32_t now = KitClockNow();
    if (m->maxSpeed > 0 && m->speed > m->maxSpeed) m->speed = m->maxSpeed;
    const double d = (now - m->lastTime) * m->speed * 0.001;
    double sine = 0, cosine = 0;
    SinCos(m->heading, &sine, &cosine);
    m->x += sine * d;
    m->y -= cosine * d;
    m->intX = static_cast<std::int16_t>(m->x + 0.5);
    m->intY = static_cast<std::int16_t>(m->y + 0.5);
    if (m->stopAtTarget && !inside(m->travel, m->intX, m->intY)) {
        m->moving = 0;
        m->intX = m->targetX;
        m->intY = m->targetY;
    }
    m->lastTime = now;
}

// Screen y grows downwards, so a target above the start has a positive dy here.
double Heading(double x0, double y0, double x1, double y1) {
    const double dx = x1 - x0;
    const double dy = y0 - y1;
    if (dy == 0) return dx >= 0 ? 90.0 : 270.0;
    const double a = std::atan(std::fabs(dx) / std::fabs(dy)) * degreesPerRadian();
    if (dy > 0) return dx >= 0 ? a : 360.0 - a;
    return dx <= 0 ? 180.0 + a : 180.0 - a;
}

double Distance(double x0, double y0, double x1, double y1) {
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    return std::sqrt(dx * dx + dy * dy);
}

void SinCos(double degrees, double* sine, double* cosine) {
    const double radians = degrees / degreesPerRadian();
    if (sine) *sine = std::sin(radians);
    if (cosine) *cosine = std::cos(radians);
}
