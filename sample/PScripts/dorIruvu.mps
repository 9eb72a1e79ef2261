; The first screen: a meadow with a turning sun, a button that chimes, a hot spot on the sun that stops
; and starts it, and the keyboard: Enter goes to the night, P to the puzzle, G to the guide, R to the
; racing game, A to the assessment race, S to the sign-in screen, M to the movie (each letter in either
; case), Esc quits.
Scene Meadow
sun=RAnimation 520 40 2000
play sun forever
spinning=1
button=RPButton 40 395 2100
set button clickSoundID 101
set button hit +pressed
spot=RHotSpot 520 40 584 104
set spot hit +sunTouched
keys=RKbdInp
set keys keyPressed +typed
say meadow shown
wait
procedure +pressed
[
 say pressed
]
procedure +sunTouched
[
 if spinning
 [
  play sun pause
  spinning=0
 ]
 else
 [
  play sun forever
  spinning=1
 ]
 say turning spinning
]
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
  relay night.mps
 ]
 if (k="P")+(k="p")
 [
  relay puzzle.mps
 ]
 if (k="G")+(k="g")
 [
  relay guide.mps
 ]
 if (k="R")+(k="r")
 [
  relay racing.mps
 ]
 if (k="M")+(k="m")
 [
  relay movie.mps
 ]
 if (k="S")+(k="s")
 [
  relay signin.mps
 ]
 if (k="A")+(k="a")
 [
  relay race.mps
 ]
]
