#include <gtest/gtest.h>

#include <QTreeWidget>

#include "app_test_support.h"
#include "mainwnd/source_list.h"

namespace clipwright {
namespace {

using testing::MakeItem;

class SourceListTest : public ::testing::Test {
protected:
    SourceListTest() : list_(&tree_) {
        tree_.setSelectionMode(QAbstractItemView::ExtendedSelection);
        list_.SetUpColumns();
    }

    void AddRows(int count) {
        for (int i = 0; i < count; ++i) {
            const int n = list_.RowCount();
            const int slot = list_.AddItem(std::make_unique<SourceItem>(
                MakeItem("/v/clip" + std::to_string(n) + ".avi", 10 + n)));
            list_.InsertRow(n, slot);
            list_.RefreshRow(n);
        }
    }

    std::string SourceOfRow(int row) { return list_.ItemOfRow(row)->sourcePath; }
    int CurrentRow() { return tree_.indexOfTopLevelItem(tree_.currentItem()); }
    void Select(std::initializer_list<int> rows) {
        tree_.clearSelection();
        for (const int row : rows) {
            tree_.topLevelItem(row)->setSelected(true);
        }
    }

    QTreeWidget tree_;
    SourceList list_;
};

TEST_F(SourceListTest, ColumnsAndRowTexts) {
    AddRows(1);
    ASSERT_EQ(tree_.columnCount(), 4);
    EXPECT_EQ(tree_.headerItem()->text(0), "Source");
    EXPECT_EQ(tree_.headerItem()->text(2), "Convert Duration");
    QTreeWidgetItem* row = tree_.topLevelItem(0);
    list_.ItemOfRow(0)->outputStem = "clip0-cvt";
    list_.ItemOfRow(0)->outputExt = "mpg";
    list_.ItemOfRow(0)->status = kDone;
    list_.RefreshRow(0);
    EXPECT_EQ(row->text(0), "clip0.avi");
    EXPECT_EQ(row->text(1), "clip0-cvt.mpg");
    EXPECT_EQ(row->text(2), "00:00:00-00:00:10");
    EXPECT_EQ(row->text(3), "Done");
    list_.ItemOfRow(0)->status = 99;
    list_.RefreshRow(0);
    EXPECT_EQ(row->text(3), "Ready");
    list_.ShowPart(0, 65, 3723);
    EXPECT_EQ(row->text(2), "00:01:05-01:02:03");
}

TEST_F(SourceListTest, AddingSelectsOnlyTheLastRow) {
    AddRows(2);
    Select({0, 1});
    AddRows(3);
    list_.SelectOnlyLast();
    EXPECT_EQ(list_.SelectedRows(), std::vector<int>{4});
    EXPECT_EQ(CurrentRow(), 4);
}

TEST_F(SourceListTest, DroppingKeepsASelectionAndOtherwiseTakesTheLastRow) {
    AddRows(3);
    Select({1});
    list_.SelectLastIfNone();
    EXPECT_EQ(list_.SelectedRows(), std::vector<int>{1});
    tree_.clearSelection();
    list_.SelectLastIfNone();
    EXPECT_EQ(list_.SelectedRows(), std::vector<int>{2});
}

TEST_F(SourceListTest, RemoveSelectsTheRowThatTakesTheFirstPlace) {
    AddRows(5);
    Select({1, 3});
    list_.Remove();
    ASSERT_EQ(list_.RowCount(), 3);
    EXPECT_EQ(list_.SelectedRows(), std::vector<int>{1});
    EXPECT_EQ(SourceOfRow(1), "/v/clip2.avi");
    EXPECT_EQ(CurrentRow(), 1);
    // Slots stay: the removed ones are empty, the others keep their index.
    EXPECT_EQ(list_.Slots().size(), 5u);
    EXPECT_EQ(list_.Slots()[1], nullptr);
    EXPECT_EQ(list_.SlotOfRow(1), 2);
}

TEST_F(SourceListTest, RemovingTheLastRowOrNothingSelectsTheNewLast) {
    AddRows(3);
    Select({2});
    list_.Remove();
    EXPECT_EQ(list_.SelectedRows(), std::vector<int>{1});
    tree_.clearSelection();
    list_.Remove();
    EXPECT_EQ(list_.RowCount(), 2);
    EXPECT_EQ(list_.SelectedRows(), std::vector<int>{1});
}

TEST_F(SourceListTest, MoveUpMovesOnlyBlocksThatCanMove) {
    AddRows(4);
    Select({0, 2});
    list_.MoveUp();
    EXPECT_EQ(SourceOfRow(0), "/v/clip0.avi");
    EXPECT_EQ(SourceOfRow(1), "/v/clip2.avi");
    EXPECT_EQ(SourceOfRow(2), "/v/clip1.avi");
    EXPECT_EQ(list_.SelectedRows(), (std::vector<int>{0, 1}));
    Select({2, 3});
    list_.MoveDown();  // touches the bottom: stays
    EXPECT_EQ(SourceOfRow(3), "/v/clip3.avi");
    Select({1, 2});
    list_.MoveDown();
    EXPECT_EQ(SourceOfRow(1), "/v/clip3.avi");
    EXPECT_EQ(SourceOfRow(2), "/v/clip2.avi");
    EXPECT_EQ(SourceOfRow(3), "/v/clip1.avi");
}

TEST_F(SourceListTest, ItemStatesTravelWithASwap) {
    AddRows(3);
    Select({0});
    tree_.selectionModel()->setCurrentIndex(tree_.model()->index(0, 0),
                                            QItemSelectionModel::NoUpdate);
    list_.SwapRows(0, 2);
    EXPECT_EQ(SourceOfRow(2), "/v/clip0.avi");
    EXPECT_EQ(tree_.topLevelItem(2)->text(0), "clip0.avi");
    EXPECT_EQ(list_.SelectedRows(), std::vector<int>{2});
    EXPECT_EQ(CurrentRow(), 2);
    list_.SwapRows(0, 7);  // out of range: nothing
    list_.SwapRows(-1, 0);
    EXPECT_EQ(SourceOfRow(0), "/v/clip2.avi");
}

TEST_F(SourceListTest, RemoveAllEmptiesTheSlots) {
    AddRows(3);
    list_.RemoveAll();
    EXPECT_EQ(list_.RowCount(), 0);
    EXPECT_TRUE(list_.Slots().empty());
    AddRows(1);
    EXPECT_EQ(list_.SlotOfRow(0), 0);
}

TEST(SourceInfo, UnknownFormatAndStreamSplits) {
    SourceItem item;
    SetSourcePath(item, "/v/song.mp3");
    EXPECT_EQ(BuildSourceInfo(item), "song.mp3\r\n\r\nUnknown file format.");
    item.durationText = "00:03:00.00 (180 s)";
    item.bitrateText = "128 kb/s";
    item.audioInfo = " mp3, 44100 Hz, stereo, 128 kb/s";
    item.videoInfo = " mpeg4, yuv420p";
    EXPECT_EQ(BuildSourceInfo(item),
              "song.mp3\r\n\r\nDuration:00:03:00.00 (180 s)\r\nBitrate:128 kb/s"
              "\r\nVideo:\r\n  mpeg4, yuv420p"
              "\r\nAudio:\r\n  mp3, 44100 Hz,\r\n  stereo, 128 kb/s");
    item.videoInfo = "no comma";
    item.audioInfo.clear();
    EXPECT_EQ(BuildSourceInfo(item),
              "song.mp3\r\n\r\nDuration:00:03:00.00 (180 s)\r\nBitrate:128 kb/s");
}

}  // namespace
}  // namespace clipwright
