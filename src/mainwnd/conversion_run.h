// A conversion run of the main form's list and what follows it: the checks before the run (the
// optional components a type needs, the disc's title limit, the free space, fitting a disc), the
// progress dialog, then the report of the run, the offer to make the disc and the desktop
// notification; and the disc command over the outputs of the last run.
//
// ConversionRun keeps the last progress dialog and what the disc command needs of the last run
// (its type, the disc it was fitted to, whether it goes onto several discs). It borrows the
// owner (the parent of its dialogs and messages), the list and the workers' interface, which
// must outlive it. User-interface thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mainwnd/make_disc.h"

class QWidget;

namespace clipwright {

class ConvertProgressDialog;
class EncoderRun;
class SourceList;
class WorkerUi;
struct SourceItem;

class ConversionRun {
public:
    // ui serves the list and the form's settings to the run's worker.
    ConversionRun(QWidget& owner, SourceList& list, WorkerUi& ui);
    ~ConversionRun();
    ConversionRun(const ConversionRun&) = delete;
    ConversionRun& operator=(const ConversionRun&) = delete;

    // Converts every listed row to outputType with run, once the checks pass; afterwards offers
    // the report and, for a disc type that converted something, the disc in outputFolder.
    void Convert(EncoderRun& run, int32_t outputType, const std::string& outputFolder);
    // The Done rows' outputs and the last run's type and disc, with the form's type and folder.
    DiscRequest MakeDiscRequest(int32_t chosenType, const std::string& outputFolder) const;
    // The disc command: makes a disc image from the outputs of the rows whose status is Done.
    void MakeDiscOfLastRun(int32_t chosenType, const std::string& outputFolder);

    // The output type of the last run; -1 before the first.
    int32_t LastRunType() const { return lastRunType_; }
    // Takes over what an older view's run knows of its last run (a language switch), so the disc
    // command goes on to make the disc that run was converted for.
    void CarryFrom(const ConversionRun& old);
    ConvertProgressDialog* ProgressDialog() const { return progressDialog_.get(); }

private:
    // The items behind the list's rows, in list order.
    std::vector<const SourceItem*> ListedItems() const;
    // After a run: offers the report of it (see OfferBatchReport).
    void OfferRunReport();
    // After a run to a disc type that converted something: offers to make the disc.
    void OfferDiscAfterRun(int32_t outputType, const std::string& outputFolder);
    // Tells the desktop how the run ended when the user is not looking at the owner's window.
    void NotifyRunEnded(bool completed) const;

    QWidget& owner_;
    SourceList& list_;
    WorkerUi& ui_;
    std::unique_ptr<ConvertProgressDialog> progressDialog_;
    int32_t lastRunType_ = -1;
    int64_t fitDiscBytes_ = 0;   // the last run was fitted to a disc of this size
    bool severalDiscs_ = false;  // the last run goes onto several discs
};

}  // namespace clipwright
