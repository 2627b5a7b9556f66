#include "mainwnd/presets.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "engine/output_types.h"
#include "stand_in_controls.h"

namespace clipwright {
namespace {

TEST(PresetTextsTest, EveryTableRowReadsAsShownToTheUser) {
    const std::vector<std::string> sizes = FrameSizeTexts();
    ASSERT_EQ(sizes.size(), kFrameSizes.size());
    EXPECT_EQ(sizes[0], "160x120 - ");
    EXPECT_EQ(sizes[4], "320x240 - iPod nano");
    EXPECT_EQ(sizes[5], "480x320 - iPhone 3GS");
    EXPECT_EQ(sizes[8], "640x480 - iPhone4 (Recommended)");
    EXPECT_EQ(sizes[11], "960x640 - iPhone4 H.264");
    EXPECT_EQ(sizes[13], "1280x720 - iPad1/2 Best");

    EXPECT_EQ(FrameRateTexts(),
              (std::vector<std::string>{"14.985 fps", "23.976 fps", "29.970 fps"}));

    const std::vector<std::string> video = VideoBitrateTexts();
    ASSERT_EQ(video.size(), 11u);
    EXPECT_EQ(video[0], "128 kbps");
    EXPECT_EQ(video[6], "768 kbps - Recommended");
    EXPECT_EQ(video[10], "2500 kbps");

    EXPECT_EQ(AudioBitrateTexts(),
              (std::vector<std::string>{"32 kbps - Near FM radio", "48 kbps - FM radio",
                                        "64 kbps - Better than FM (Recommended)", "80 kbps - ",
                                        "96 kbps - Near CD quality", "112 kbps - ",
                                        "128 kbps - CD quality", "160 kbps - Better than CD"}));
    EXPECT_EQ(ChannelTexts(), (std::vector<std::string>{"1 Channel, Mono", "2 Channels, Stereo"}));
    EXPECT_EQ(SampleRateTexts(), (std::vector<std::string>{"24000 HZ", "44100 HZ", "48000 HZ"}));

    const std::vector<std::string> volume = VolumeTexts();
    ASSERT_EQ(volume.size(), 19u);
    EXPECT_EQ(volume[0], "0% - Disable Audio");
    EXPECT_EQ(volume[1], "25%");
    EXPECT_EQ(volume[3], "75%");
    EXPECT_EQ(volume[4], "125%");
    EXPECT_EQ(volume[18], "800%");
    EXPECT_EQ(std::count(volume.begin(), volume.end(), "100%"), 0);
}

class PresetControlsTest : public testing::StandInControlsTest {
protected:
    std::vector<QComboBox*> combos_{&size_,     &frameRate_,  &videoBitrate_, &audioBitrate_,
                                    &channels_, &sampleRate_, &volume_};
};

TEST_F(PresetControlsTest, FillingPutsKeepOriginalFirstAndTheTableAfterIt) {
    const std::vector<std::vector<std::string>> tables = {
        FrameSizeTexts(), FrameRateTexts(),  VideoBitrateTexts(), AudioBitrateTexts(),
        ChannelTexts(),   SampleRateTexts(), VolumeTexts()};
    for (size_t c = 0; c < combos_.size(); ++c) {
        QComboBox* combo = combos_[c];
        ASSERT_EQ(combo->count(), static_cast<int>(tables[c].size()) + 1) << c;
        EXPECT_EQ(combo->itemText(0), "Keep Original") << c;
        EXPECT_EQ(combo->itemData(0).toInt(), -1) << c;
        for (int row = 1; row < combo->count(); ++row) {
            EXPECT_EQ(combo->itemText(row).toStdString(), tables[c][row - 1]) << c << "/" << row;
            EXPECT_EQ(combo->itemData(row).toInt(), row - 1) << c << "/" << row;
        }
        EXPECT_EQ(combo->currentIndex(), 0) << c;
        EXPECT_TRUE(combo->isEnabled()) << c;
        EXPECT_GE(combo->view()->minimumWidth(),
                  combo->fontMetrics().horizontalAdvance(combo->itemText(combo->count() - 1)));
    }
    EXPECT_EQ(volume_.count(), 20);
    EXPECT_EQ(volume_.itemText(1), "0% - Disable Audio");
    EXPECT_EQ(volume_.findText("100%"), -1);
}

TEST_F(PresetControlsTest, FillingLeavesTheDefaults) {
    EXPECT_EQ(width_.text(), "0");
    EXPECT_EQ(height_.text(), "0");
    EXPECT_FALSE(vbr_.isChecked());
    EXPECT_FALSE(max_.isEnabled());
    EXPECT_FALSE(min_.isEnabled());
    EXPECT_TRUE(max_.text().isEmpty());
}

TEST_F(PresetControlsTest, SizeRowWritesWidthAndHeight) {
    size_.setCurrentIndex(9);
    OnSizeSelChange(&size_, &width_, &height_);
    EXPECT_EQ(width_.text(), "640");
    EXPECT_EQ(height_.text(), "480");
    size_.setCurrentIndex(14);
    OnSizeSelChange(&size_, &width_, &height_);
    EXPECT_EQ(width_.text(), "1280");
    EXPECT_EQ(height_.text(), "720");
    size_.setCurrentIndex(0);
    OnSizeSelChange(&size_, &width_, &height_);
    EXPECT_EQ(width_.text(), "0");
    EXPECT_EQ(height_.text(), "0");
}

TEST_F(PresetControlsTest, NormalisingZeroesTheOtherSide) {
    const struct {
        const char* x;
        const char* y;
        const char* wantX;
        const char* wantY;
    } cases[] = {
        {"0", "480", "0", "0"}, {"320", "0", "0", "0"},     {"320", "240", "320", "240"},
        {"", "0", "0", "0"},    {"00", "480", "00", "480"}, {"0", "", "0", "0"},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        width_.setText(c.x);
        height_.setText(c.y);
        EXPECT_TRUE(NormalizeFrameSize(&width_, &height_));
        EXPECT_EQ(width_.text(), c.wantX) << c.x << "/" << c.y;
        EXPECT_EQ(height_.text(), c.wantY) << c.x << "/" << c.y;
    }
}

TEST_F(PresetControlsTest, VariableBitRateEnablesMaxAndMinAndKeepsTheirTexts) {
    vbr_.setChecked(true);
    OnVbrClicked(&vbr_, &max_, &min_);
    EXPECT_TRUE(max_.isEnabled());
    EXPECT_TRUE(min_.isEnabled());
    max_.setText("2000");
    min_.setText("500");
    vbr_.setChecked(false);
    OnVbrClicked(&vbr_, &max_, &min_);
    EXPECT_FALSE(max_.isEnabled());
    EXPECT_FALSE(min_.isEnabled());
    EXPECT_EQ(max_.text(), "2000");
    EXPECT_EQ(min_.text(), "500");
}

TEST_F(PresetControlsTest, DigitsOnlyEditsRefuseOtherCharacters) {
    int position = 0;
    QString text = "12a";
    EXPECT_EQ(width_.validator()->validate(text, position), QValidator::Invalid);
    text = "-5";
    EXPECT_EQ(max_.validator()->validate(text, position), QValidator::Invalid);
    text = "640";
    EXPECT_EQ(height_.validator()->validate(text, position), QValidator::Acceptable);
}

TEST_F(PresetControlsTest, SnapshotReadsRowsTextsAndCheckState) {
    size_.setCurrentIndex(5);
    OnSizeSelChange(&size_, &width_, &height_);
    frameRate_.setCurrentIndex(2);
    videoBitrate_.setCurrentIndex(7);
    vbr_.setChecked(true);
    max_.setText("900");
    channels_.setCurrentIndex(2);
    audioBitrate_.setCurrentIndex(3);
    sampleRate_.setCurrentIndex(1);
    volume_.setCurrentIndex(19);

    const ConversionSettings s = ReadConversionSettings(controls_, kTypeMpeg4, kPal, "/out/");
    EXPECT_EQ(s.outputType, kTypeMpeg4);
    EXPECT_EQ(s.tvStandard, kPal);
    EXPECT_EQ(s.widthText, "320");
    EXPECT_EQ(s.heightText, "240");
    EXPECT_EQ(s.frameRateChoice, 2);
    EXPECT_EQ(s.videoBitrateChoice, 7);
    EXPECT_TRUE(s.variableBitRate);
    EXPECT_EQ(s.maxRateText, "900");
    EXPECT_EQ(s.minRateText, "");
    EXPECT_EQ(s.channelsChoice, 2);
    EXPECT_EQ(s.audioBitrateChoice, 3);
    EXPECT_EQ(s.sampleRateChoice, 1);
    EXPECT_EQ(s.volumeChoice, 19);
    EXPECT_EQ(s.outputFolder, "/out/");
    EXPECT_EQ(*EntryOfRow(kVolumeFactors, s.volumeChoice), 8.0);

    volume_.setCurrentIndex(-1);
    EXPECT_EQ(ReadConversionSettings(controls_, kTypeDvd, kNtsc, "").volumeChoice, 0);
}

}  // namespace
}  // namespace clipwright
