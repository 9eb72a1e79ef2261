; The assessment race over the meadow; when it is done, the confirm screen, whose buttons end the title.
Scene Meadow
assess=RAssess 0
set assess goToConfirmation +confirm
say race shown
wait
procedure +confirm
[
 say confirm
 screen=RConfirm
]
