// A drag-and-drop exercise: the answers and containers a script added, the judging of every drop, the
// puzzle's events, and a data set of turns of which start plays one at random.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "OMList.h"
#include "OMSR.h"
#include "OMScriptableObject.h"
#include "PuzzleDataSet.h"

class OMAnimation;
class OMFont;
class RAnswer;
class RContainer;
class RText;

class RPuzzle : public OMScriptableObject {
public:
    RPuzzle();
    // Lets every answer and container go (they are not deleted), deletes the turn's texts and graphics and
    // tells the class-wide death hook.
    ~RPuzzle() override;

    // Puzzles are not copied.
    OMScriptableObject* clone() override { return nullptr; }
    void registerProperties() override;

    // Wires the answer's pick-up, drag steps and drop to this puzzle.
    void addAnswer(RAnswer* answer);
    void addContainer(RContainer* container);
    void removeAnswer(RAnswer* answer);
    void removeContainer(RContainer* container);
    // Puts the answer into the container without raising a puzzle event.
    void placeAnswer(RAnswer* answer, RContainer* container);
    // The first container that accepts the answer with a score above every earlier one (and above 0).
    RContainer* bestContainer(RAnswer* answer);
    // Plays one turn of the data set, drawn at random.
    void start();

    std::int32_t lockCorrectAnswers = 0;
    std::int32_t rejectIncorrectAnswers = 0;
    std::int32_t scrambleAnswers = 1;
    DataSet dataSet;
    // A reference of the font cache, or null.
    OMFont* textFont = nullptr;
    std::vector<std::unique_ptr<OMAnimation>> graphics;
    // Not owned, in the order added.
    OMList<RAnswer> answers;
    OMList<RContainer> containers;
    std::vector<std::unique_ptr<RText>> texts;
    RContainer* highlighted = nullptr;
    std::int16_t puzzleTextColorIndex = 0;

    static void setDeathHook(const OMLink* link);
    static OMLink* getDeathHook();
    // Drops in progress, and the puzzles destroyed meanwhile (emptied when it returns to 0).
    static std::int32_t dispatchDepth;
    static OMList<RPuzzle>& destroyedDuringDispatch();

    // The class's registry record ("RPuzzle"); referring to it links the class into a program.
    static OMSR classRecord;

private:
    void detachAnswer(RAnswer* answer);
    bool wasDestroyed() const { return destroyedDuringDispatch().contains(this); }
    bool allUsed() const;
    bool allFull() const;
    bool allSolved() const;
    // The links the answers call.
    void answerPickedUp(OMArg answer);
    void answerDragged(OMArg answer);
    void answerDropped(OMArg answer);
    // Death interests.
    void answerDied(OMArg answer);
    void containerDied(OMArg container);
    // Takes the answer out of its container and sends it home.
    void unplace(RAnswer* answer);
    // Setting up a turn.
    void showGraphics(const DSEntry& entry);
    void showTexts(const DSEntry& entry);
    void giveAnswerValues(const DSEntry& entry);

    // Verbs.
    void addAnswerVerb();
    void addAnswerToContainerVerb();
    void addContainerVerb();
    void anchorAnswersVerb();
    void removeAnswerVerb();
    void removeAnswerFromContainerVerb();
    void removeContainerVerb();
    void resetVerb();
    void setAnswerVerb();
    void setContainerVerb();
    void setPuzzleTextVerb();
    void setPuzzleTextFontVerb();
    void setPuzzleGraphicVerb();
    void shiftAnswersVerb();
    void shiftContainersVerb();
    void unanchorAnswersVerb();

    void getAnswersUsed(OMArg buffer);
    void getContainersFull(OMArg buffer);
    void getIsSolved(OMArg buffer);
    void setTextColor(OMArg text);
    void getTextColor(OMArg buffer);
    void setScramble(OMArg text);
    void getScramble(OMArg buffer);
    void setLock(OMArg text);
    void getLock(OMArg buffer);
    void setReject(OMArg text);
    void getReject(OMArg buffer);
};

// n integers shuffled by 2n swaps of two different places drawn with randomIndexExcept.
void scrambleOrder(std::int32_t* order, std::int32_t n);
