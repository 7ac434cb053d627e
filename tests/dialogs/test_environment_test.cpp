// The widget suites draw with their own locale and fonts, whatever the machine prefers: the pictures
// they compare would otherwise change with LANG and with every sans font installed or preferred.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>

TEST(TestEnvironment, OwnLocaleAndOnlyTheInstalledFonts) {
    EXPECT_EQ(QLocale::system().name().toStdString(), "C") << "the system locale the widgets see";
    const QStringList generic = {"Sans Serif", "Serif", "Monospace"};  // Qt's names for the generic families
    for (const QString& family : QFontDatabase::families()) {
        const bool ours = family.startsWith(QLatin1String("DejaVu")) || family.startsWith(QLatin1String("WenQuanYi"));
        EXPECT_TRUE(ours || generic.contains(family))
            << "a font the install step does not bring is visible: " << family.toStdString();
    }
    EXPECT_EQ(QFontInfo(QApplication::font()).family().toStdString(), "DejaVu Sans") << "the default font";
}

// The same suite started from a Chinese locale, by a user whose own and whose machine's font settings
// prefer another font for sans-serif (here the serif face, the one other font sure to be installed).
TEST(TestEnvironment, AChineseLocaleAndAnotherPreferredFontChangeNothing) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid()) << "a temporary folder for the user's settings";
    const QByteArray prefer_serif =
        "<?xml version=\"1.0\"?><!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\"><fontconfig>"
        "<include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include>"
        "<alias binding=\"strong\"><family>sans-serif</family><prefer><family>DejaVu Serif</family></prefer></alias>"
        "<alias binding=\"strong\"><family>Sans Serif</family><prefer><family>DejaVu Serif</family></prefer></alias>"
        "</fontconfig>";
    QDir().mkpath(home.filePath("fontconfig"));
    for (const QString& name : {home.filePath("fonts.conf"), home.filePath("fontconfig/fonts.conf")}) {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(prefer_serif) == prefer_serif.size())
            << "writing " << name.toStdString();
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LANG", "zh_CN.UTF-8");
    env.insert("LC_ALL", "zh_CN.UTF-8");
    env.insert("LANGUAGE", "zh_CN");
    env.insert("FC_LANG", "zh-cn");
    env.insert("XDG_CONFIG_HOME", home.path());
    env.insert("FONTCONFIG_FILE", home.filePath("fonts.conf"));
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=TestEnvironment.OwnLocaleAndOnlyTheInstalledFonts"});
    ASSERT_TRUE(child.waitForFinished(60000)) << "the suite started again did not finish";
    EXPECT_EQ(child.exitCode(), 0) << "the suite started under zh_CN and a preference for DejaVu Serif:\n"
                                   << child.readAll().toStdString();
}
