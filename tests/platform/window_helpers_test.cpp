#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>

#include "platform/window_helpers.h"

using namespace tuner;

TEST(WindowHelpers, IconFromFileAndUnicodeTitle) {
    QWidget w;
    QTemporaryDir dir;
    const QString png = QDir(dir.path()).filePath(QStringLiteral("logo.png"));
    QImage img(32, 32, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(png));
    EXPECT_TRUE(set_window_icon(&w, png.toStdString()));
    EXPECT_FALSE(w.windowIcon().isNull());

    // Missing and unreadable files change nothing.
    QWidget other;
    EXPECT_FALSE(set_window_icon(&other, QDir(dir.path()).filePath(QStringLiteral("none.ico")).toStdString()));
    QFile junk(QDir(dir.path()).filePath(QStringLiteral("junk.ico")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not an icon");
    junk.close();
    EXPECT_FALSE(set_window_icon(&other, junk.fileName().toStdString()));
    EXPECT_FALSE(set_window_icon(nullptr, png.toStdString()));

    set_unicode_caption(&w, "卡拉OK 调音");
    EXPECT_EQ(w.windowTitle(), QStringLiteral("卡拉OK 调音"));
}
