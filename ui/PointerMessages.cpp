#include "ui/PointerMessages.h"

#include <array>

#include "ui/AppContext.h"

namespace quarten {
namespace {

struct PointerTexts {
    const char* unreadable;  // heading of the settings that could not be read
    const char* unwritable;  // heading of the settings that could not be written
    const char* unreadableEnd;
    const char* unwritableEnd;
    const char* item;                      // %1: the setting's name, %2: where the desktop keeps it
    PerPointerSetting<const char*> names;  // the page's own labels
};

// By UiLanguage: English, simplified Chinese, traditional Chinese.
constexpr std::array<PointerTexts, 3> kTexts{{
    {"These desktop pointer settings could not be read:",
     "These desktop pointer settings could not be written:",
     "QUARTEN leaves them as they are unless you change them on this page.",
     "The desktop keeps its own values for them.",
     "• %1: %2",
     {"Enhance Pointer Precision", "Mouse Speed", "Scrolling Speed", "Double-Click Speed"}},
    {"无法读取以下桌面指针设置：",
     "无法写入以下桌面指针设置：",
     "除非您在此页面上更改这些设置，QUARTEN 不会改动它们。",
     "桌面将保留这些设置原有的值。",
     "• %1：%2",
     {"提高指针精确度", "鼠标速度", "滚轮速度", "双击速度"}},
    {"無法讀取以下桌面指針設定：",
     "無法寫入以下桌面指針設定：",
     "除非您在此頁面上變更這些設定，QUARTEN 不會改動它們。",
     "桌面將保留這些設定原有的值。",
     "• %1：%2",
     {"提高指針精確度", "滑鼠速度", "滾輪速度", "雙擊速度"}},
}};

QString Section(const PointerTexts& texts, const char* heading, const char* end,
                const PointerSettingSet& which, const PointerPlaces& places) {
    QString text = QString::fromUtf8(heading) + QStringLiteral("\n\n");
    for (const PointerSetting s : kPointerSettingOrder) {
        if (!which[s]) continue;
        text += QString::fromUtf8(texts.item)
                    .arg(QString::fromUtf8(texts.names[s]), QString::fromStdString(places[s])) +
                QLatin1Char('\n');
    }
    return text + QLatin1Char('\n') + QString::fromUtf8(end);
}

}  // namespace

QString PointerProblemText(UiLanguage language, const PointerProblems& problems) {
    const PointerTexts& texts = kTexts.at(static_cast<std::size_t>(language));
    QString text;
    if (problems.unwritable.Any()) {
        text = Section(texts, texts.unwritable, texts.unwritableEnd, problems.unwritable,
                       problems.places);
    }
    if (problems.unreadable.Any()) {
        if (!text.isEmpty()) text += QStringLiteral("\n\n");
        text += Section(texts, texts.unreadable, texts.unreadableEnd, problems.unreadable,
                        problems.places);
    }
    return text;
}

void ShowPointerProblems(AppContext& context, const PointerProblems& problems) {
    const QString text = PointerProblemText(context.language, problems);
    if (!text.isEmpty()) context.warn(QStringLiteral("Warning"), text);
}

}  // namespace quarten
