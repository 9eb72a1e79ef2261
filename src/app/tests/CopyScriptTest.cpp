// Objects copied by assignment in scripts that QUOMB_32.exe runs in a heap that fills freed blocks: a copy
// is an object of its original's class, whose properties reach its own fields.
#include <gtest/gtest.h>

#include "ScriptCase.h"

namespace {

// The copy keeps the button's settings, clicks (its default verb) and takes settings of its own.
TEST(CopyScriptTest, ACopyOfAPushButtonIsAPushButton) {
    expectScriptSays({"push button",
                      {"say begin", "a=RPButton 12", "set a playDelay 400", "set a clickSoundID 7", "b=a",
                       "say copied", "play b", "get b playDelay d", "get b clickSoundID s", "set b clickSoundID 200",
                       "get b clickSoundID t", "get a clickSoundID u", "say d s t u", "drop b", "drop a", "say end",
                       "quit"},
                      "begin\r\ncopied\r\n400 7 200 7\r\nend\r\n"});
}

}  // namespace
