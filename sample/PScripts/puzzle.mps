; The puzzle: a cat and a dog to drag into their own houses. Every event is written down; Esc goes back to
; the meadow.
Scene Meadow
title=RText "Drag each pet into its own house" 101 170 20 300 60 1
cathouse=RAttributeContainer 4100 100 220 5 cat
doghouse=RAttributeContainer 4101 400 220 5 dog
cat=RGraphicAnswer 250 390 10 4000 cat 1
dog=RGraphicAnswer 330 390 10 4001 dog 1
p=RPuzzle
play p addContainer 'cathouse'
play p addContainer 'doghouse'
play p addAnswer 'cat'
play p addAnswer 'dog'
set p overflow +overflow
set p containersFull +full
set p answersUsed +used
set p puzzleSolved +solved
set p puzzleWrong +wrong
set cat dropped +catDropped
set cat addedToContainer +catAdded
set cat mouseUp +catUp
set dog dropped +dogDropped
set dog addedToContainer +dogAdded
set dog mouseUp +dogUp
set cathouse answerPlaced +catHousePlaced
set doghouse answerPlaced +dogHousePlaced
keys=RKbdInp
set keys keyPressed +typed
say puzzle shown
wait
procedure +overflow
[
 say overflow
]
procedure +full
[
 say full
]
procedure +used
[
 say used
]
procedure +solved
[
 say solved
]
procedure +wrong
[
 say wrong
]
procedure +catDropped
[
 say "dropped cat"
]
procedure +catAdded
[
 say "added cat"
]
procedure +catUp
[
 say "up cat"
]
procedure +dogDropped
[
 say "dropped dog"
]
procedure +dogAdded
[
 say "added dog"
]
procedure +dogUp
[
 say "up dog"
]
procedure +catHousePlaced
[
 say "placed cathouse"
]
procedure +dogHousePlaced
[
 say "placed doghouse"
]
procedure +typed
[
 get keys key k
 if k="Esc"
 [
  relay dorIruvu.mps
 ]
]
