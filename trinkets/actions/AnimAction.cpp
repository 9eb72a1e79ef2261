// Animation steps: the animation made at start with its end of play handed to the step.
#include "AnimAction.h"

#include "ActionFactory.h"
#include "OMTrinketWindow.h"

AnimAction::AnimationLookup AnimAction::animationLookupHook = nullptr;

AnimAction::AnimAction(std::uint16_t id, std::int32_t left, std::int32_t top, std::int32_t layer,
                       std::int32_t ignored, std::int32_t isInterruptibleFlag)
    : Action(isInterruptibleFlag), ignoredValue(ignored), x(left), y(top), z(layer), animationId(id) {}

AnimAction::~AnimAction() {
    if (isActive()) halt();
}

void AnimAction::start() {
    Action::start();
    animation = makeAnimation();
    if (!animation) return actionFinished();
    animation->setZ(z);
    animation->waitSoundsAtEnd = false;
    const OMLinkToObj<AnimAction> ended(this, &AnimAction::animationEnded);
    animation->setEndLink(&ended);
    animation->setMovable(0);
    animation->setTouchy(0);
    animation->restart();
    animation->play();
}

// Damaged data would never reach an end of play, so they count as no animation.
std::unique_ptr<RAnimation> AnimAction::makeAnimation() const {
    OMTrinketWindow* window = OMTrinketWindow::mainTrinketWindow;
    if (animationId == kNoAnimation || !animationLookupHook || !window) return nullptr;
    OMIStream* stream = animationLookupHook(animationId);
    if (!stream) return nullptr;
    auto made = std::make_unique<RAnimation>(window, stream, x, y);
    if (made->status() != AseqStatus::ok) return nullptr;
    return made;
}

// Runs inside the animation's step, which stops touching the animation once it is deleted.
void AnimAction::animationEnded() {
    halt();
    actionFinished();
}

void AnimAction::halt() {
    Action::halt();
    animation.reset();
}

void AnimAction::pause() {
    if (animation) animation->suspend();
}

void AnimAction::resume() {
    if (animation) animation->resume();
}

Action* createAnimAction(std::int32_t defaultInterruptible) {
    const std::vector<std::string> t = popTokens(6);
    const auto number = [&t](std::size_t i) { return tokenNumber(t[i]); };
    const auto id = static_cast<std::uint16_t>(number(0));
    constexpr std::int32_t kGiven = RAnimation::kAtPlacement;
    switch (tokenRun(t)) {
    case 6: return new AnimAction(id, number(1), number(2), number(3), number(4), number(5));
    case 5: return new AnimAction(id, number(1), number(2), number(3), number(4), defaultInterruptible);
    case 4: return new AnimAction(id, kGiven, kGiven, number(1), number(2), number(3));
    case 3: return new AnimAction(id, kGiven, kGiven, number(1), number(2), defaultInterruptible);
    default: return nullptr;
    }
}
