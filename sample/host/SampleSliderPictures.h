// The picture slider's parts for the sign-in screen's scroll bar, under the fixed ids the slider classes
// load: 17 x 17 raised squares in the slider's own entries, which it matches to the scene's palette.
#pragma once

#include "AseqWriter.h"

enum class SliderPart { less, more, thumb };
// Two looks, released then pressed; the end buttons carry an arrow (less up, more down).
AseqPicture sliderPicture(SliderPart part);
