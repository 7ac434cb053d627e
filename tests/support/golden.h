// Golden pictures: a rendered control or window compared pixel for pixel with
// a PNG committed under tests/golden. A mismatch names the picture, the first
// differing pixel and how many differ, and writes what was rendered and a
// difference picture (differing pixels red on a faded copy) into the build
// folder. With TUNER_REGEN_GOLDEN=1 the picture is written as the new golden
// one instead (scripts/regen-golden).
#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>
#include <string>

namespace tuner::golden {

inline QString golden_path(const std::string& name) {
    return QString(TUNER_GOLDEN_DIR) + "/" + QString::fromStdString(name) + ".png";
}

inline QString output_path(const std::string& name, const char* suffix) {
    const QString dir = QString(TUNER_TEST_OUTPUT_DIR) + "/golden";
    QDir().mkpath(dir);
    return dir + "/" + QString::fromStdString(name) + suffix;
}

inline std::string hex(QRgb c) { return QColor::fromRgba(c).name(QColor::HexArgb).toStdString(); }

inline ::testing::AssertionResult matches_golden(const QImage& rendered, const std::string& name) {
    const QImage got = rendered.convertToFormat(QImage::Format_ARGB32);
    if (got.isNull()) return ::testing::AssertionFailure() << "picture " << name << ": nothing was rendered";
    if (qEnvironmentVariableIntValue("TUNER_REGEN_GOLDEN") == 1) {
        QDir().mkpath(TUNER_GOLDEN_DIR);
        if (!got.save(golden_path(name)))
            return ::testing::AssertionFailure() << "picture " << name << ": cannot write " << golden_path(name).toStdString();
        return ::testing::AssertionSuccess();
    }
    const QImage want = QImage(golden_path(name)).convertToFormat(QImage::Format_ARGB32);
    got.save(output_path(name, ".got.png"));
    if (want.isNull())
        return ::testing::AssertionFailure() << "picture " << name << ": no golden picture "
                                             << golden_path(name).toStdString() << " (scripts/regen-golden writes it)";
    if (want.size() != got.size())
        return ::testing::AssertionFailure() << "picture " << name << ": rendered " << got.width() << "x" << got.height()
                                             << ", golden " << want.width() << "x" << want.height();
    QImage diff(got.size(), QImage::Format_ARGB32);
    long differing = 0;
    int fx = -1, fy = -1;
    for (int y = 0; y < got.height(); ++y) {
        const auto* g = reinterpret_cast<const QRgb*>(got.constScanLine(y));
        const auto* w = reinterpret_cast<const QRgb*>(want.constScanLine(y));
        auto* d = reinterpret_cast<QRgb*>(diff.scanLine(y));
        for (int x = 0; x < got.width(); ++x) {
            if (g[x] == w[x]) {
                const int grey = 192 + qGray(w[x]) / 4;
                d[x] = qRgb(grey, grey, grey);
                continue;
            }
            d[x] = qRgb(255, 0, 0);
            if (differing++ == 0) fx = x, fy = y;
        }
    }
    if (differing == 0) return ::testing::AssertionSuccess();
    diff.save(output_path(name, ".diff.png"));
    return ::testing::AssertionFailure()
           << "picture " << name << ": " << differing << " of " << got.width() * got.height()
           << " pixels differ, the first at (" << fx << "," << fy << "): golden " << hex(want.pixel(fx, fy))
           << ", rendered " << hex(got.pixel(fx, fy)) << "; see " << output_path(name, ".got.png").toStdString()
           << " and .diff.png";
}

}  // namespace tuner::golden

#define EXPECT_GOLDEN(picture, name) EXPECT_TRUE(::tuner::golden::matches_golden((picture), (name)))
