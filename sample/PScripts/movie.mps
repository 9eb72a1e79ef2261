; The sample movie: intro.smk on the meadow with signals at frames 1 and 5; every event is written down.
; After its end it stays on its last frame until Esc, which goes back to the meadow.
Scene Meadow
movie=RSmackerMovie intro.smk 240 170
set movie signal +signalled
set movie finished +ended
play movie addSignals 1 5
keys=RKbdInp
set keys keyPressed +typed
play movie start
wait
procedure +signalled
[
 get movie frame f
 say signal f
]
procedure +ended
[
 say finished
]
procedure +typed
[
 get keys key k
 if k="Esc"
 [
  relay dorIruvu.mps
 ]
]
