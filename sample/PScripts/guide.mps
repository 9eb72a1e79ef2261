; The guide: says its greeting, walks right while the sun turns, then waits a moment.
; The steps run one after another in a queue; the greeting's end and the queue's end are written
; down, then the title quits. Esc goes back to the meadow.
Scene Meadow
sun=RAnimation 520 40 2000
play sun forever
guide=RCharacter 3000 10 300 5
play guide addSpeechAnim 3010
set guide finished +spoke
q=RQueue
play q add CharacterSpeechAction 'guide' 200
play q add MoveXAction 'sun' 'guide' 100 20 0 200
play q add DelayAction 100
set q finished +done
play q start
keys=RKbdInp
set keys keyPressed +typed
say queued
wait
procedure +typed
[
 get keys key k
 if k="Esc"
 [
  relay dorIruvu.mps
 ]
]
procedure +spoke
[
 say spoke
]
procedure +done
[
 get guide x gx
 say done gx
 quit
]
