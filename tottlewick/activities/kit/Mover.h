// The Mover: a point that travels in a straight line towards a target at a speed in pixels per second,
// timed by the kit clock; headings are degrees clockwise from up.
#pragma once

#include <cstdint>

#include "Rect.h"

struct Mover {
    std::uint16_t moving;
    double heading;   // degrees: 0 up, 90 right, 180 down, 270 left
    double speed;     // pixels per second
    double maxSpeed;  // 0 or less: none
    double unused;
    double x, y;      // the exact position
    std::int16_t intX, intY;
    std::int16_t startX, startY;
    std::uint16_t stopAtTarget;
    std::int16_t targetX, targetY;
    std::int16_t distance;  // start to target, truncated
    Rect travel;            // spanned by start and target, right and bottom one past
    std::uint32_t lastTime;
};

Mover* MoverCreate(std::int16_t x, std::int16_t y, std::int16_t targetX, std::int16_t targetY);
void MoverFree(Mover* mover);
void MoverSetSpeed(Mover* mover, double pixelsPerSecond);
void MoverStart(Mover* mover);
std::uint16_t MoverIsMoving(const Mover* mover);
// The integer position packed as one point word.
std::uint32_t MoverGetPosition(const Mover* mover);
// Moves by the time since the last step; past the travel rectangle it stops exactly on the target.
void MoverStep(Mover* mover);

double Heading(double x0, double y0, double x1, double y1);
double Distance(double x0, double y0, double x1, double y1);
// Either output may be null.
void SinCos(double degrees, double* sine, double* cosine);
