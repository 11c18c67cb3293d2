// The skins dialog run from the skins button: what OK keeps and saves, what Cancel leaves,
// the skin list, the labels per language, a missing background, a failed save, the wheel.
#include <gtest/gtest.h>

#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "tests/ui/AppRig.h"
#include "ui/BasicPage.h"
#include "ui/dialogs/CSkinsDialog.h"

namespace quarten {
namespace {

namespace fs = std::filesystem;
namespace skins = layout::skins;
using test::AppRig;
using test::RigOptions;
using Rgb = std::array<std::uint8_t, 3>;

QPoint Centre(const layout::Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

enum class Ending { Ok, Cancel, Close };

// One str.ini line, "Key=value", or empty when the key is absent.
std::string IniLine(const std::string& ini, const std::string& key) {
    const std::size_t at = ini.find("\n" + key + "=");
    if (at == std::string::npos) return {};
    const std::size_t end = ini.find_first_of("\r\n", at + 1);
    return ini.substr(at + 1, end - at - 1);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// The factory's four skin keys (colour 0, 255, 255 and skin "Default") with other values.
std::string WithOtherSkinKeys(std::string ini) {
    ini = Replaced(ini, "RColor=0", "RColor=7");
    ini = Replaced(ini, "GColor=255", "GColor=8");
    ini = Replaced(ini, "BColor=255", "BColor=9");
    return Replaced(ini, "Path=Default", "Path=Elsewhere");
}

class SkinsDialogTest : public ::testing::Test {
protected:
    explicit SkinsDialogTest(RigOptions options = {}) : rig(options) {}
    void SetUp() override { ASSERT_TRUE(rig.Start()); }

    // Presses the skins button; the dialog runs for real (exec), `act` works on it once it
    // shows, then a press on its OK, Cancel or close button ends it.
    void Run(std::function<void(CSkinsDialog&)> act, Ending ending = Ending::Ok) {
        rig.Context().runDialog = [this, act, ending](QDialog& dialog) {
            QTimer::singleShot(0, &dialog, [this, &dialog, act, ending] {
                auto* skinsDialog = dynamic_cast<CSkinsDialog*>(&dialog);
                ASSERT_NE(skinsDialog, nullptr);
                shown = skinsDialog->Canvas().copy();
                if (act) act(*skinsDialog);
                const layout::DialogFrame& frame = skinsDialog->Frame();
                test::Click(*skinsDialog, Centre(ending == Ending::Ok       ? frame.ok
                                            : ending == Ending::Cancel ? frame.cancel
                                                                       : frame.close));
            });
            // A dialog its buttons failed to end would hang the run; end it and say so.
            QTimer::singleShot(5000, &dialog, [&dialog] {
                ADD_FAILURE() << "the dialog did not close";
                dialog.done(-1);
            });
            result = dialog.exec();
            return result;
        };
        rig.PressAt(layout::frame::kSkins);
    }

    static void ChooseSkin(CSkinsDialog& d, const QString& name) {
        if (!d.OpenList()) test::Click(d, Centre(skins::kSkinBox));
        DropdownList* list = d.OpenList();
        ASSERT_NE(list, nullptr);
        const auto found = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        emit list->itemClicked(found.front());
        EXPECT_EQ(d.OpenList(), nullptr);  // a choice closes the list
    }

    void PickColour(CSkinsDialog& d, QColor colour) {
        rig.nextColour = colour;
        test::Click(d, Centre(skins::kSwatch));
    }

    static QStringList Items(const DropdownList* list) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
        return items;
    }

    std::string StrIni() { return rig.dir.ReadFile("str.ini"); }
    fs::path SkinsRoot() { return rig.dir.Path() / "Skins"; }
    const QImage& Page() { return rig.Context().canvas.Image(); }

    AppRig rig;    // no tray: the window is shown at start
    QImage shown;  // the dialog as it first showed
    int result = -2;
};

TEST_F(SkinsDialogTest, CancelAndCloseLeaveSkinColourAndStrIniAsTheyWere) {
    const std::string ini = StrIni();
    const SkinState before = rig.Context().skin;
    const QColor colour = rig.Context().canvas.TextColour();
    const QImage page = Page().copy();
    for (const Ending ending : {Ending::Cancel, Ending::Close}) {
        Run(
            [this](CSkinsDialog& d) {
                PickColour(d, QColor(200, 10, 30));
                EXPECT_EQ(d.TextColour(), (Rgb{200, 10, 30}));  // pending in the dialog
                ChooseSkin(d, "Crimson");
                EXPECT_EQ(d.SkinName(), "Crimson");
            },
            ending);
        EXPECT_EQ(result, QDialog::Rejected);
        const SkinState& now = rig.Context().skin;
        EXPECT_EQ(now.textColour, before.textColour);
        EXPECT_EQ(now.skinName, before.skinName);
        EXPECT_EQ(now.skinFolder, before.skinFolder);
        EXPECT_EQ(rig.Context().canvas.TextColour(), colour);
        EXPECT_EQ(StrIni(), ini);
        EXPECT_EQ(Page(), page);
    }
}

TEST_F(SkinsDialogTest, OkUntouchedRewritesTheFourSkinKeysAndRebuildsThePage) {
    // str.ini edited behind the running program: OK writes back what the window uses.
    const std::string edited = WithOtherSkinKeys(StrIni());
    rig.dir.WriteFile("str.ini", edited);

    // Stale marks on the canvas, an open key list and an unsaved caption: the rebuild
    // repaints all and closes the list, and the caption being edited stays.
    const QRect stale(60, 420, 40, 40);  // inside the mouse picture, where no control sits
    const QImage under = Page().copy(stale);
    QPainter(&rig.Context().canvas.Image()).fillRect(stale, Qt::magenta);
    rig.PressAt(layout::basic::KeyBox(2));
    auto& basic = static_cast<BasicPage&>(*rig.Window().CurrentPageObject());
    ASSERT_NE(basic.KeyList(2), nullptr);
    rig.Context().skin.captions.Set(0, 2, "Pending caption");
    rig.Window().hide();

    Run({});
    EXPECT_EQ(result, QDialog::Accepted);
    const std::string ini = StrIni();
    EXPECT_EQ(IniLine(ini, "RColor"), "RColor=0");
    EXPECT_EQ(IniLine(ini, "GColor"), "GColor=255");
    EXPECT_EQ(IniLine(ini, "BColor"), "BColor=255");
    EXPECT_EQ(IniLine(ini, "Path"), "Path=Default");
    // Nothing else of the file changes.
    EXPECT_EQ(WithOtherSkinKeys(ini), edited);
    EXPECT_EQ(basic.KeyList(2), nullptr);
    EXPECT_EQ(rig.Context().skin.captions.Get(0, 2), "Pending caption");
    EXPECT_EQ(IniLine(ini, "Item3"), "Item3=Mid Click");  // captions are saved by Apply only
    EXPECT_TRUE(rig.Window().isVisible());
    EXPECT_TRUE(rig.warnings.empty());
    EXPECT_EQ(Page().copy(stale), under);
}

TEST_F(SkinsDialogTest, CrimsonAndANewColourDrawThePageAsAStartOnThemWould) {
    const QImage before = Page().copy();
    Run([this](CSkinsDialog& d) {
        ChooseSkin(d, "Crimson");
        EXPECT_EQ(d.SkinFolder(), SkinsRoot() / "Crimson");
        PickColour(d, QColor(255, 128, 0));
    });
    const SkinState& skin = rig.Context().skin;
    EXPECT_EQ(skin.skinName, "Crimson");
    EXPECT_EQ(skin.skinFolder, SkinsRoot() / "Crimson");
    EXPECT_EQ(skin.textColour, (Rgb{255, 128, 0}));
    const std::string ini = StrIni();
    EXPECT_EQ(IniLine(ini, "RColor"), "RColor=255");
    EXPECT_EQ(IniLine(ini, "GColor"), "GColor=128");
    EXPECT_EQ(IniLine(ini, "BColor"), "BColor=0");
    EXPECT_EQ(IniLine(ini, "Path"), "Path=Crimson");

    // The oracle: a program started on that str.ini.
    AppRig fresh;
    fresh.dir.WriteFile("str.ini", ini);
    ASSERT_TRUE(fresh.Start());
    ASSERT_EQ(fresh.Context().skin.skinName, "Crimson");
    EXPECT_NE(Page(), before);
    EXPECT_EQ(Page(), fresh.Context().canvas.Image());
    // And the page's background really is Crimson's picture.
    const QImage crimson = rig.Context().images.Load(
        QString::fromStdString((SkinsRoot() / "Crimson" / "BasicSet2.png").string()));
    const QImage original = rig.Context().images.Load(
        QString::fromStdString((SkinsRoot() / "Default" / "BasicSet2.png").string()));
    const QPoint mark(122, 250);  // the mouse picture's wheel: the page draws nothing there
    ASSERT_NE(crimson.pixel(mark), original.pixel(mark));
    EXPECT_EQ(Page().pixel(mark), crimson.pixel(mark));

    // The next dialog opens on the new skin's own picture.
    Run({}, Ending::Cancel);
    const QImage dialogBackground = rig.Context().images.Load(
        QString::fromStdString((SkinsRoot() / "Crimson" / "skins.png").string()));
    const QImage oldBackground = rig.Context().images.Load(
        QString::fromStdString((SkinsRoot() / "Default" / "skins.png").string()));
    const QPoint fan(200, 135);  // the first bar of the colour fan
    ASSERT_NE(dialogBackground.pixel(fan), oldBackground.pixel(fan));
    EXPECT_EQ(shown.pixel(fan), dialogBackground.pixel(fan));
}

TEST_F(SkinsDialogTest, ListOffersTheSubFoldersStrIniCanName) {
    rig.dir.WriteFile("Skins/readme.txt", "not a skin");
    for (const char* folder : {"Zebra", "aqua", " Padded", "back\\slash", "Empty"}) {
        fs::create_directory(SkinsRoot() / folder);
    }
    fs::create_directory_symlink(SkinsRoot() / "Crimson", SkinsRoot() / "Linked");
    // Folders in the order the folder itself lists them; the file and the two names str.ini
    // could not give back unchanged are left out.
    QStringList folders;
    for (const fs::directory_entry& entry : fs::directory_iterator(SkinsRoot())) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory() && name != " Padded" && name != "back\\slash") {
            folders << QString::fromStdString(name);
        }
    }
    ASSERT_EQ(folders.size(), 6);
    Run(
        [this, &folders](CSkinsDialog& d) {
            test::Click(d, Centre(skins::kSkinBox));
            ASSERT_NE(d.OpenList(), nullptr);
            EXPECT_EQ(Items(d.OpenList()), folders);
            // The box toggles; each opening lists the folder as it is now.
            test::Click(d, Centre(skins::kSkinBox));
            EXPECT_EQ(d.OpenList(), nullptr);
            fs::create_directory(SkinsRoot() / "Mint");
            test::Click(d, Centre(skins::kSkinBox));
            ASSERT_NE(d.OpenList(), nullptr);
            EXPECT_TRUE(Items(d.OpenList()).contains("Mint"));
            // A press on the swatch closes the list first; a cancelled chooser keeps the colour.
            PickColour(d, QColor());
            EXPECT_EQ(d.OpenList(), nullptr);
            EXPECT_EQ(d.TextColour(), (Rgb{0, 255, 255}));
            // A skin that vanished while listed is not taken: name and folder stay paired.
            test::Click(d, Centre(skins::kSkinBox));
            fs::remove(SkinsRoot() / "Mint");
            ChooseSkin(d, "Mint");
            EXPECT_EQ(d.SkinName(), "Default");
            EXPECT_EQ(d.SkinFolder(), SkinsRoot() / "Default");
            ChooseSkin(d, "Empty");
            EXPECT_EQ(d.SkinName(), "Empty");
        },
        Ending::Cancel);
}

// The skin box shows the pending name white on dark grey; pixels tell it changed.
TEST_F(SkinsDialogTest, SkinBoxAndSwatchShowThePendingChoice) {
    Run(
        [](CSkinsDialog& d) {
            const QImage box = d.Canvas().copy(ToQRect(skins::kSkinName));
            EXPECT_EQ(box.pixel(1, 1), qRgb(40, 40, 40));
            EXPECT_EQ(d.Canvas().pixel(Centre(skins::kSwatch)), qRgb(0, 255, 255));
            ChooseSkin(d, "Crimson");
            EXPECT_NE(d.Canvas().copy(ToQRect(skins::kSkinName)), box);
        },
        Ending::Cancel);
}

class TraditionalSkinsDialogTest : public SkinsDialogTest {
protected:
    TraditionalSkinsDialogTest() : SkinsDialogTest(RigOptions{.strIniLanguage = "CHT"}) {}
};

// Draws `text` as the dialog draws its labels, over the dialog's background.
QImage Rendered(AppContext& context, const layout::Rect& at, const QString& text, bool button,
                int flags) {
    SkinCanvas canvas(context.images);
    const SkinCanvas& page = context.canvas;
    canvas.SetSkin(page.Folder(), page.TextColour(), page.NormalFont(), page.HeadingFont());
    canvas.Resize(QSize(skins::kFrame.size.width, skins::kFrame.size.height));
    canvas.Reset(layout::image::kSkinsDialog);
    if (button) canvas.Draw(layout::image::kButtonNormal, at);
    QPainter painter(&canvas.Image());
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(page.NormalFont());
    painter.setPen(page.TextColour());
    painter.drawText(ToQRect(at), flags, text);
    painter.end();
    return canvas.Image().copy(ToQRect(at));
}

TEST_F(TraditionalSkinsDialogTest, LabelsAndPromptAreTraditionalChinese) {
    Run({}, Ending::Cancel);
    AppContext& c = rig.Context();
    const auto region = [this](const layout::Rect& r) { return shown.copy(ToQRect(r)); };
    const int line = Qt::AlignCenter | Qt::TextSingleLine;
    const int wrapped = Qt::AlignCenter | Qt::TextWordWrap;
    struct Case {
        layout::Rect at;
        const char* expected;
        const char* english;
        bool button;
        int flags;
    };
    const Case cases[] = {
        {skins::kFrame.ok, "確定", "OK", true, line},
        {skins::kFrame.cancel, "取消", "Cancel", true, line},
        {skins::kPrompt, "請點擊設置UI文本顏色", "Please click to set the UI text color", false,
         wrapped},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.expected);
        EXPECT_EQ(region(k.at),
                  Rendered(c, k.at, QString::fromUtf8(k.expected), k.button, k.flags));
        // The comparison tells the languages apart.
        EXPECT_NE(region(k.at), Rendered(c, k.at, QString::fromUtf8(k.english), k.button, k.flags));
    }
}

TEST_F(SkinsDialogTest, MissingBackgroundSaysSoAndTheBareDialogStillCloses) {
    fs::remove(SkinsRoot() / "Default" / "skins.png");
    const std::string ini = StrIni();
    for (const Ending ending : {Ending::Close, Ending::Cancel, Ending::Ok}) {
        rig.warnings.clear();
        Run(
            [this](CSkinsDialog& d) {
                EXPECT_FALSE(d.Dressed());
                test::Click(d, Centre(skins::kSkinBox));  // no list without the picture
                EXPECT_EQ(d.OpenList(), nullptr);
                PickColour(d, QColor(1, 2, 3));  // nor a swatch
                EXPECT_EQ(d.TextColour(), (Rgb{0, 255, 255}));
            },
            ending);
        EXPECT_EQ(result, ending == Ending::Ok ? QDialog::Accepted : QDialog::Rejected);
        ASSERT_EQ(rig.warnings.size(), 1u);
        EXPECT_EQ(rig.warnings[0].title, "Skins Dialog Load background image failed!!!");
        EXPECT_EQ(rig.warnings[0].text, "error");
        // OK on the bare dialog keeps the skin the window has: nothing blank is saved.
        EXPECT_EQ(rig.Context().skin.skinName, "Default");
        EXPECT_EQ(rig.Context().skin.textColour, (Rgb{0, 255, 255}));
        EXPECT_EQ(StrIni(), ini);
    }
}

// What str.ini holds after a failed save, and the box that says so.
class FailedSaveTest : public SkinsDialogTest {
protected:
    void ChooseCrimsonAndExpectTheWarning(int errorCode) {
        const std::string ini = StrIni();
        Run([this](CSkinsDialog& d) {
            ChooseSkin(d, "Crimson");
            PickColour(d, QColor(10, 20, 30));
            failWrites();
        });
        restoreWrites();
        ASSERT_EQ(rig.warnings.size(), 1u);
        EXPECT_EQ(rig.warnings[0].title, "QUARTEN");
        EXPECT_EQ(rig.warnings[0].text,
                  QString("The skin choice could not be saved (error code %1); it applies until "
                          "the program ends")
                      .arg(errorCode));
        EXPECT_EQ(StrIni(), ini);
        // No half-written temporary is left beside it.
        for (const auto& entry : fs::directory_iterator(rig.dir.Path())) {
            EXPECT_NE(entry.path().filename().string().rfind(".str.ini", 0), 0u) << entry.path();
        }
        // The choice is used for this run all the same.
        EXPECT_EQ(rig.Context().skin.skinName, "Crimson");
        EXPECT_EQ(rig.Context().canvas.Folder(),
                  QString::fromStdString((SkinsRoot() / "Crimson").string()));
    }

    std::function<void()> failWrites;
    std::function<void()> restoreWrites;
};

TEST_F(FailedSaveTest, FileSizeLimitMidWrite) {
    // The limit holds for root too: the temporary gets 16 bytes, then the write fails.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    void (*oldHandler)(int) = SIG_DFL;
    failWrites = [&] {
        oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 16;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    };
    restoreWrites = [&] {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    };
    ChooseCrimsonAndExpectTheWarning(EFBIG);
}

TEST_F(FailedSaveTest, ReadOnlyDataFolder) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    const fs::path dir = rig.dir.Path();
    failWrites = [dir] { ::chmod(dir.c_str(), 0555); };
    restoreWrites = [dir] { ::chmod(dir.c_str(), 0755); };
    ChooseCrimsonAndExpectTheWarning(EACCES);
}

TEST_F(SkinsDialogTest, WheelOverTheDialogScrollsTheOpenListThreeLinesANotch) {
    for (int i = 1; i <= 20; ++i) fs::create_directory(SkinsRoot() / ("Skin" + std::to_string(i)));
    Run(
        [](CSkinsDialog& d) {
            const auto wheel = [&d](QWidget* target, QPoint at, int delta) {
                QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta),
                                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(target, &event);
            };
            wheel(&d, QPoint(300, 150), -120);  // closed list: nothing to scroll, no harm
            test::Click(d, Centre(skins::kSkinBox));
            DropdownList* list = d.OpenList();
            ASSERT_NE(list, nullptr);
            QScrollBar* bar = list->verticalScrollBar();
            ASSERT_GE(bar->maximum(), 9);
            struct Notch {
                bool overList;
                int delta;
                int expected;
            };
            const Notch notches[] = {
                {false, -120, 3}, {false, 0, 6},  {false, -15, 9}, {false, 120, 6},
                {true, -120, 9},  {true, 240, 6}, {false, 1, 3},
            };
            for (const Notch& n : notches) {
                if (n.overList) {
                    wheel(list->viewport(), QPoint(10, 10), n.delta);
                } else {
                    wheel(&d, QPoint(300, 150), n.delta);
                }
                EXPECT_EQ(bar->value(), n.expected) << n.delta << (n.overList ? " on list" : "");
            }
        },
        Ending::Cancel);
}

}  // namespace
}  // namespace quarten
