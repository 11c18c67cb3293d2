// Journeys of the desktop's pointer settings on the advanced page: GNOME's keys (through a
// GSettings keyfile) and KDE's files come back as they were when the page is applied
// untouched or after Cancel, and a speed chosen on the page changes the speed alone — also
// in a locale that writes numbers with a decimal comma.
#include <QFile>
#include <QRegularExpression>

#include "tests/journey/Journey.h"

namespace quarten::journey {
namespace {

namespace advanced = layout::advanced;
namespace frame = layout::frame;

// The pointer-speed slider's fastest segment.
const layout::Rect kFastest = advanced::SliderSegment(0, advanced::kSliderSegments);

class PointerJourney : public Journey {
protected:
    void SetUp() override {
        if (auto missing = MissingX()) GTEST_SKIP() << *missing;
        ASSERT_TRUE(desktop_.StartX());
        ASSERT_TRUE(desktop_.StartWindowManager());
    }

    // Opens the advanced page of a shown window, where the desktop's values are read.
    void OpenAdvancedPage() { ClickInWindow(frame::kNextPage); }

    // Presses Apply and waits until config.bin has been written; the desktop's settings are
    // written in the same step. With `desktopFile`, it then gives the program a while to
    // write that file too (a program that leaves an unchanged file alone never does).
    ::testing::AssertionResult Apply(const QString& desktopFile = {}) {
        const FileStamp before = ConfigStamp();
        const FileStamp desktopBefore = Stamp(desktopFile);
        ClickInWindow(frame::kApply);
        if (!WaitFor([&] { return !(ConfigStamp() == before); })) {
            return ::testing::AssertionFailure() << "Apply did not write config.bin\n" << Logs();
        }
        if (!desktopFile.isEmpty()) {
            WaitFor([&] { return !(Stamp(desktopFile) == desktopBefore); }, kQuietSpell);
        }
        return ::testing::AssertionSuccess();
    }
};

// ---------------------------------------------------------------------------------------
// GNOME: org.gnome.desktop.peripherals.mouse in a keyfile of the journey's own.
class GnomePointerJourney : public PointerJourney {
protected:
    void SetUp() override {
        if (auto missing = Missing({"gsettings"})) GTEST_SKIP() << *missing;
        if (desktop_.Run("gsettings", {"list-keys", kSchema}).exitCode != 0) {
            GTEST_SKIP() << "no schema " << kSchema << " (gsettings-desktop-schemas)";
        }
        desktop_.Env().insert("GSETTINGS_BACKEND", "keyfile");
        PointerJourney::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        // The desktop as the person left it.
        ASSERT_TRUE(Set("speed", "-0.3"));
        ASSERT_TRUE(Set("accel-profile", "'default'"));
        ASSERT_TRUE(Set("double-click", "300"));
        original_ = Values();
        ASSERT_EQ(Get("speed").toDouble(), -0.3) << original_;
    }

    static constexpr const char* kSchema = "org.gnome.desktop.peripherals.mouse";

    bool Set(const char* key, const char* value) {
        return desktop_.Run("gsettings", {"set", kSchema, key, value}).exitCode == 0;
    }
    QString Get(const char* key) {
        return desktop_.Run("gsettings", {"get", kSchema, key}).out.trimmed();
    }
    // The three values, one line, for comparing and for messages.
    std::string Values() {
        return (Get("speed") + " " + Get("accel-profile") + " " + Get("double-click"))
            .toStdString();
    }

    Process& Start() {
        QProcessEnvironment env;
        env.insert("QUARTEN_POINTER_BACKEND", "gsettings");
        return desktop_.StartQuarten({.addEnv = env});
    }

    QString Keyfile() { return desktop_.Me().configHome + "/glib-2.0/settings/keyfile"; }

    std::string original_;  // as gsettings prints them: -0.29999999999999999 'default' 300
};

TEST_F(GnomePointerJourney, ApplyingTheUntouchedPageKeepsTheDesktopsValues) {
    Start();
    ASSERT_TRUE(screen_.WaitForMainWindow(kPatience)) << Logs();
    OpenAdvancedPage();
    ASSERT_TRUE(Apply(Keyfile()));
    EXPECT_EQ(Values(), original_);
}

TEST_F(GnomePointerJourney, CancelThenApplyKeepsTheDesktopsValues) {
    Start();
    ASSERT_TRUE(screen_.WaitForMainWindow(kPatience)) << Logs();
    OpenAdvancedPage();
    // An edit, taken back with Cancel; the window comes back with a second start.
    ClickInWindow(kFastest);
    ClickInWindow(frame::kCancel);
    ASSERT_TRUE(screen_.WaitForNoMainWindow(kPatience)) << "Cancel did not hide the window";
    EXPECT_EQ(Values(), original_) << "the edit reached the desktop before Apply";
    Start();
    ASSERT_TRUE(screen_.WaitForMainWindow(kPatience)) << Logs();
    ASSERT_TRUE(Apply(Keyfile()));
    EXPECT_EQ(Values(), original_);
}

TEST_F(GnomePointerJourney, ASpeedChosenOnThePageChangesOnlyTheSpeed) {
    Start();
    ASSERT_TRUE(screen_.WaitForMainWindow(kPatience)) << Logs();
    OpenAdvancedPage();
    ClickInWindow(kFastest);
    ASSERT_TRUE(Apply());
    ASSERT_TRUE(WaitFor([&] { return Get("speed").toDouble() != -0.3; }))
        << "the speed did not reach the desktop: " << Values();
    bool number = false;
    const double speed = Get("speed").toDouble(&number);
    EXPECT_TRUE(number) << Get("speed").toStdString();
    EXPECT_GT(speed, 0.5) << "the fastest segment gives a fast pointer";
    EXPECT_LE(speed, 1.0);
    EXPECT_EQ(Get("accel-profile"), QStringLiteral("'default'"));
    EXPECT_EQ(Get("double-click"), QStringLiteral("300"));
}

// ---------------------------------------------------------------------------------------
// KDE: kcminputrc and kdeglobals in the journey's config folder, the program in a locale
// whose decimal separator is a comma.
class KdePointerJourney : public PointerJourney {
protected:
    void SetUp() override {
        // The C library's view, which is what a program's printf follows.
        const ToolRun comma = desktop_.Run("locale", {"-k", "decimal_point"}, [&] {
            QProcessEnvironment env = desktop_.Env();
            env.insert("LC_ALL", kLocale);
            return env;
        }());
        if (comma.exitCode != 0 || !comma.out.contains("decimal_point=\",\"") ||
            !comma.err.isEmpty()) {
            GTEST_SKIP()
                << kLocale << " is not installed (locale -a lacks it; "
                << "sed -i 's/^# *de_DE.UTF-8/de_DE.UTF-8/' /etc/locale.gen && locale-gen)";
        }
        PointerJourney::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        Write("kcminputrc",
              "[Mouse]\nXLbInptAccelProfileFlat=false\nXLbInptPointerAcceleration=0.4\n");
        Write("kdeglobals", "[KDE]\nDoubleClickInterval=300\nWheelScrollLines=3\n");
    }

    static constexpr const char* kLocale = "de_DE.UTF-8";

    QString File(const char* name) {
        return QString::fromUtf8(FileBytes(desktop_.Me().configHome + "/" + name));
    }
    void Write(const char* name, const char* text) {
        QFile file(desktop_.Me().configHome + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    // The value of `key` in a file, "" when it is not there.
    QString Value(const char* file, const char* key) {
        const QRegularExpression line(QStringLiteral("^%1=(.*)$").arg(key),
                                      QRegularExpression::MultilineOption);
        return line.match(File(file)).captured(1).trimmed();
    }
    // A number as KDE reads it: optional sign, digits, optional dot and digits.
    static bool PlainNumber(const QString& text) {
        static const QRegularExpression number(QStringLiteral("^-?\\d+(\\.\\d+)?$"));
        return number.match(text).hasMatch();
    }
    // No "0,4" anywhere in either file.
    ::testing::AssertionResult NoDecimalComma() {
        static const QRegularExpression comma(QStringLiteral("=\\s*-?\\d+,\\d"));
        for (const char* name : {"kcminputrc", "kdeglobals"}) {
            const auto hit = comma.match(File(name));
            if (hit.hasMatch()) {
                return ::testing::AssertionFailure()
                       << name << " has " << hit.captured(0).toStdString() << "\n"
                       << File(name).toStdString();
            }
        }
        return ::testing::AssertionSuccess();
    }

    Process& Start() {
        QProcessEnvironment env;
        env.insert("QUARTEN_POINTER_BACKEND", "kde");
        env.insert("LC_ALL", kLocale);
        return desktop_.StartQuarten({.addEnv = env});
    }
};

TEST_F(KdePointerJourney, TheFilesKeepDotDecimalsInACommaLocale) {
    Start();
    ASSERT_TRUE(screen_.WaitForMainWindow(kPatience)) << Logs();
    OpenAdvancedPage();
    ASSERT_TRUE(Apply(desktop_.Me().configHome + "/kcminputrc"));
    // Untouched, the speed comes back as it was, written the way KDE reads it.
    EXPECT_TRUE(NoDecimalComma());
    const QString speed = Value("kcminputrc", "XLbInptPointerAcceleration");
    EXPECT_TRUE(PlainNumber(speed)) << speed.toStdString();
    EXPECT_DOUBLE_EQ(speed.toDouble(), 0.4) << speed.toStdString();
    EXPECT_EQ(Value("kdeglobals", "DoubleClickInterval"), QStringLiteral("300"));

    // A new speed from the page: changed, and still with a dot.
    ClickInWindow(kFastest);
    ASSERT_TRUE(Apply());
    ASSERT_TRUE(WaitFor([&] { return Value("kcminputrc", "XLbInptPointerAcceleration") != speed; }))
        << "the speed did not reach kcminputrc:\n"
        << File("kcminputrc").toStdString();
    EXPECT_TRUE(NoDecimalComma());
    const QString fast = Value("kcminputrc", "XLbInptPointerAcceleration");
    EXPECT_TRUE(PlainNumber(fast)) << fast.toStdString();
    EXPECT_GT(fast.toDouble(), 0.5);
    EXPECT_EQ(Value("kdeglobals", "DoubleClickInterval"), QStringLiteral("300"));
}

}  // namespace
}  // namespace quarten::journey
