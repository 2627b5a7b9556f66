// A test fixture with the form's settings controls and no form: the widgets SettingControls
// points at, filled and limited as the view fills them, for tests of the presets and of what a
// run reads from the controls. Needs a QApplication; user-interface thread only.
#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "mainwnd/presets.h"

namespace clipwright::testing {

class StandInControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (QLineEdit* edit : {&width_, &height_, &max_, &min_}) {
            MakeDigitsOnly(edit);
        }
        FillSettingCombos(controls_);
    }

    QComboBox size_, frameRate_, videoBitrate_, channels_, audioBitrate_, sampleRate_, volume_;
    QLineEdit width_, height_, max_, min_;
    QCheckBox vbr_;
    SettingControls controls_{&size_,         &width_,        &height_,     &frameRate_,
                              &videoBitrate_, &vbr_,          &max_,        &min_,
                              &channels_,     &audioBitrate_, &sampleRate_, &volume_};
};

}  // namespace clipwright::testing
