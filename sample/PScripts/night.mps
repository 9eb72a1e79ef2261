; The second screen, shipped precompiled: the night. Enter goes back to the meadow, Esc quits.
Scene Night
keys=RKbdInp
set keys keyPressed +typed
say night shown
wait
procedure +typed
[
 get keys key k
 if k="Esc"
 [
  say bye
  quit
 ]
 if k="Enter"
 [
  relay dorIruvu.mps
 ]
]
