; The sign-in screen: the players' list (a slider beside more than seven names), the sun as a cel animation
; turning for ever, a gauge and an exit button that asks before leaving. Every typed character is answered
; with clear; a sign-in is written down with isNew. Esc goes back to the meadow.
Scene Meadow
s=signin 100 100 200
set s cSignin +typed
set s hit +signedIn
toon=RToon 20 20 2000 1 0 0
play toon startToon 0 7 -1 0
gauge=RGauge 400 40 0 10 0
leave=RPButton 500 395 2100
set leave hit +leaving
keys=RKbdInp
set keys keyPressed +key
play s clear
say signin shown
wait
procedure +typed
[
 play s clear
]
procedure +signedIn
[
 get s isNew n
 say signed in n
]
procedure +leaving
[
 exitQUOMB
 say stayed
]
procedure +key
[
 get keys key k
 if k="Esc"
 [
  relay dorIruvu.mps
 ]
]
