; The racing game: two right answers win a prize ticket, five wrong ones end the race. Every event is
; written down; after the race, or at Esc, the meadow comes back.
Scene Meadow
race=PXKill 2
set race speed 4
set race diffLevel 2
set race stateProblem +problem
set race reStateProblem +restate
set race wrongAnswer +wrong
set race rightAnswer +right
set race sayNextProblem +next
set race gameOver +over
set race rewardPrizeTicket +prize
keys=RKbdInp
set keys keyPressed +typed
play race showRoad
play race startGame
wait
procedure +typed
[
 get keys key k
 if k="Esc"
 [
  say left
  play race shutOff
  relay dorIruvu.mps
 ]
]
procedure +problem
[
 say problem
 play race startProblem
]
procedure +restate
[
 say restate
]
procedure +wrong
[
 say wrong
 play race showAnswer
]
procedure +right
[
 say right
 play race nextProblemSign
]
procedure +next
[
 say next
 play race nextProblemSign
]
procedure +over
[
 say "game over"
 play race shutOff
 relay dorIruvu.mps
]
procedure +prize
[
 say prize
 play race shutOff
 relay dorIruvu.mps
]
