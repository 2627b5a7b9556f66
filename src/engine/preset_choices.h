// The run's settings as the form's choices make them, without the widgets: the frame size rule
// of the free-form types and the finishing of a settings snapshot before its options are built.
// The desktop program and clipwright-cli both go through these, so the same choices give the
// same encoder command line. Pure functions; any thread.
#pragma once

#include <string>

#include "engine/source_item.h"

namespace clipwright {

// An X text of exactly "0" makes Y "0"; a Y text of exactly "0" (as read before) makes X "0":
// one kept dimension keeps both.
void NormalizeFrameSizeTexts(std::string& width, std::string& height);

// The snapshot a run uses: for the free-form types the frame size texts normalised.
ConversionSettings RunSettings(ConversionSettings chosen);

}  // namespace clipwright
