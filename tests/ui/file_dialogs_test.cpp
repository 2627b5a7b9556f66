#include "ui/file_dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractProxyModel>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLocale>
#include <QTest>

#include "test_folder.h"

namespace clipwright {
namespace {

// Qt's file dialog writes dates in the system locale's words ("3/5/20 2:30 PM" under C) while
// everything else in it follows the chosen language.
TEST(FileDialogsTest, DatesFollowTheChosenLanguage) {
    const testing::TestFolder folder;
    const QString path = QString::fromStdString(folder.Write("clip.mpg", "x"));
    const QDateTime when(QDate(2020, 3, 5), QTime(14, 30));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
    }
    const QLocale previous;
    const QLocale german(QLocale::German, QLocale::Germany);
    QLocale::setDefault(german);

    QFileDialog dialog(nullptr, QString(), QString::fromStdString(folder.path()));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setViewMode(QFileDialog::Detail);
    ShowDatesInTheLanguage(dialog);
    dialog.show();
    const QAbstractProxyModel* proxy = dialog.proxyModel();
    ASSERT_NE(proxy, nullptr);
    const auto* files = qobject_cast<const QFileSystemModel*>(proxy->sourceModel());
    ASSERT_NE(files, nullptr);
    const QString expected = german.toString(when, QLocale::ShortFormat);
    QString shown;
    const bool found = QTest::qWaitFor([&] {
        shown = proxy->mapFromSource(files->index(path, 3)).data().toString();
        return shown == expected;
    });
    QLocale::setDefault(previous);
    EXPECT_TRUE(found) << "shown \"" << shown.toStdString() << "\", expected \""
                       << expected.toStdString() << "\"";
    EXPECT_FALSE(shown.contains(QLatin1String("PM")) || shown.contains(QLatin1String("Mar")));
}

}  // namespace
}  // namespace clipwright
