// The "Make a disc from the converted files" command once the view has gathered what it needs:
// the refusals, the folder question, the check of the files under a progress dialog, the size
// question, the authoring under a second progress dialog, and the closing message. Every
// refusal comes before anything is written.
//
// User-interface thread only.
#pragma once

#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

namespace clipwright {

struct DiscRequest {
    int32_t runType = -1;            // output type of the run that made the files; -1: none
    int32_t chosenType = -1;         // the form's type now
    std::vector<std::string> files;  // outputs of the rows whose status is Done, list order
    std::string firstTitle;          // title of the first of those rows
    std::string outputFolder;        // the form's output folder
    uint64_t discBytes = 0;          // the disc the run was fitted to; 0: the type's own
    bool severalDiscs = false;       // titles past one disc go onto several
};

// Whether the command applies: a disc type was run and converted at least one file.
bool CanMakeDisc(int32_t runType, size_t convertedFiles);

// Runs the whole command. Returns true when a disc was made.
bool MakeDisc(QWidget* parent, const DiscRequest& request);

// After a run of a disc type that converted at least one file: asks (OK/Cancel) whether to make
// the disc now, and makes it when the answer is OK.
void OfferDisc(QWidget* parent, const DiscRequest& request);

}  // namespace clipwright
