; The assessment race over the meadow; when it is done, the confirm screen, whose buttons end the title.
; Esc goes back to the meadow from either.
Scene Meadow
assess=RAssess 0
set assess goToConfirmation +confirm
keys=RKbdInp
set keys keyPressed +typed
say race shown
wait
procedure +typed
[
 get keys key k
 if k="Esc"
 [
  say left
  relay dorIruvu.mps
 ]
]
procedure +confirm
[
 say confirm
 screen=RConfirm
]
