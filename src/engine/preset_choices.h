// The run's settings as the form's choices make them, without the widgets: the frame size rule
// of the free-form types and the finishing of a settings snapshot before its options are built.
// The desktop program and clipwright-cli both go through these, so the same choices give the
// same encoder command line. Pure functions; any thread.
#pragma once

#include <functional>
#include <string>

#include "engine/source_item.h"

namespace clipwright {

// An X text of exactly "0" makes Y "0"; a Y text of exactly "0" (as read before) makes X "0":
// one kept dimension keeps both.
void NormalizeFrameSizeTexts(std::string& width, std::string& height);

// The snapshot a run uses: for the free-form types the frame size texts normalised.
ConversionSettings RunSettings(ConversionSettings chosen);

// The name MakeOutputName would choose when the names for which taken says true were also in
// use (a batch that has not created its earlier names yet, such as a dry run).
void MakeOutputNameAvoiding(SourceItem& item, const std::string& folder,
                            const std::string& extension, const std::string& suffix,
                            const std::function<bool(const std::string& path)>& taken);

}  // namespace clipwright
