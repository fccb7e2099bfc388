#include "data/settings/SettingsTable.h"

#include "data/settings/DefaultFavourites.h"

#include <cmath>

namespace {

// Builds a descriptor over the member whose address `ref` returns. `ref` is a generic lambda so
// that the same accessor serves the const reader and the non-const writer.
template <typename T, typename Ref>
SettingDescriptor makeDescriptor(const QString& key, SettingType type, const QVariant& def, Ref ref)
{
    SettingDescriptor d;
    d.key = key;
    d.type = type;
    d.fixedDefault = def;
    d.get = [ref](const Settings& s) { return QVariant::fromValue<T>(*ref(s)); };
    d.set = [ref](Settings& s, const QVariant& v) { *ref(s) = v.value<T>(); };
    return d;
}

template <typename Ref> SettingDescriptor textKey(const QString& key, const QString& def, Ref ref)
{
    return makeDescriptor<QString>(key, SettingType::Text, def, ref);
}

SettingDescriptor withRange(SettingDescriptor d, double minimum, double maximum)
{
    d.minimum = minimum;
    d.maximum = maximum;
    return d;
}

SettingDescriptor withContextDefault(SettingDescriptor d, ContextDefault contextDefault)
{
    d.contextDefault = contextDefault;
    return d;
}

SettingDescriptor asPortDefault(SettingDescriptor d)
{
    d.isPortDefault = true;
    return d;
}

// The key is the member's own name, so a key can never drift from its member.
// clang-format off
#define MEMBER(path) [](auto& s) { return &s.path; }
#define BOOLEAN(name, def) makeDescriptor<bool>(QStringLiteral(#name), SettingType::Boolean, def, MEMBER(name))
#define INTEGER(name, def) makeDescriptor<int>(QStringLiteral(#name), SettingType::Integer, def, MEMBER(name))
#define LONG(name, def) makeDescriptor<int>(QStringLiteral(#name), SettingType::Long, def, MEMBER(name))
#define SINGLE(name, def) makeDescriptor<double>(QStringLiteral(#name), SettingType::Single, def, MEMBER(name))
#define TEXT(name) makeDescriptor<QString>(QStringLiteral(#name), SettingType::Text, QString(), MEMBER(name))
#define PORT(name, def, maximum)                                                                                       \
    asPortDefault(withRange(makeDescriptor<int>(QStringLiteral(#name), SettingType::Integer, def,                      \
                                                MEMBER(DefaultPorts.name)),                                            \
                            0, maximum))
// clang-format on

std::vector<SettingDescriptor> buildTable()
{
    std::vector<SettingDescriptor> t;

    t.push_back(BOOLEAN(PositionFlag, true));
    t.push_back(withContextDefault(SINGLE(Top, 0.0), ContextDefault::CentredTop));
    t.push_back(withContextDefault(SINGLE(Left, 0.0), ContextDefault::CentredLeft));
    t.push_back(withRange(SINGLE(Widthy, 7000.0), 1, 2147483647.0));
    t.push_back(withRange(SINGLE(Heighty, 9615.0), 1, 2147483647.0));
    t.push_back(BOOLEAN(View, false));
    t.push_back(BOOLEAN(SSView, true));
    t.push_back(BOOLEAN(SSViewHideFlag, false));
    t.push_back(BOOLEAN(SSViewShowFlag, true));
    t.push_back(BOOLEAN(SSViewYesFlag, false));
    t.push_back(BOOLEAN(ViewHideFlag, false));
    t.push_back(BOOLEAN(ViewShowFlag, true));
    t.push_back(BOOLEAN(ViewYesFlag, false));
    t.push_back(withRange(INTEGER(WhatListBox, 0), 0, 2));
    t.push_back(TEXT(CurrentGame));
    t.push_back(withRange(INTEGER(Texture, -1), -1, 5));
    t.push_back(withRange(INTEGER(TitleBar, 0), 0, 2));
    t.push_back(TEXT(TitleBarText));
    t.push_back(BOOLEAN(DC, false));
    t.push_back(BOOLEAN(V13Start, false));
    t.push_back(withContextDefault(TEXT(LastResetDate), ContextDefault::Today));
    t.push_back(withContextDefault(LONG(OGTop, 0), ContextDefault::CentredTop));
    t.push_back(withContextDefault(LONG(OGLeft, 0), ContextDefault::CentredLeft));
    t.push_back(INTEGER(OGClose, 1));
    t.push_back(INTEGER(AlwaysOnTop, 0));
    for (int i = 0; i < FindCount; ++i) {
        const auto find = [i](auto& s) { return &s.Find[i]; };
        t.push_back(textKey(QStringLiteral("Find%1").arg(i), {}, find));
    }
    t.push_back(INTEGER(GoToDIR, 1));

    t.push_back(TEXT(CCS64Path));
    t.push_back(TEXT(CCS642Path));
    t.push_back(TEXT(DirectXPath));
    t.push_back(TEXT(SidplayWPath));
    t.push_back(TEXT(WinzipPath));
    for (int i = 0; i < GamesPathCount; ++i) {
        // The first games path has no number in its key.
        const QString key = i == 0 ? QStringLiteral("GamesPath") : QStringLiteral("GamesPath%1").arg(i);
        const auto path = [i](auto& s) { return &s.GamesPath[i]; };
        t.push_back(textKey(key, {}, path));
    }
    t.push_back(TEXT(MusicPath));
    t.push_back(withRange(INTEGER(TheDefaultEmulatorFlag, 0), 0, 2));
    t.push_back(INTEGER(LeaveSPRunningFlag, 1));
    t.push_back(INTEGER(RemoveConfirmFlag, 1));
    t.push_back(INTEGER(DeleteOldSSFlag, 0));
    // Joystick values are 0..1, key sets 0..2 for v1.9 and 0..4 for v2.0 (which also maps joysticks).
    t.push_back(PORT(DefPort1Joy, 1, 1));
    t.push_back(PORT(DefPort2Joy, 0, 1));
    t.push_back(PORT(DefPort1Key, 0, 2));
    t.push_back(PORT(DefPort2Key, 2, 2));
    t.push_back(PORT(DXDefPort1Joy, 1, 1));
    t.push_back(PORT(DXDefPort2Joy, 1, 1));
    t.push_back(PORT(DXDefPort1Key, 0, 4));
    t.push_back(PORT(DXDefPort2Key, 1, 4));

    t.push_back(INTEGER(PromptOnAddFlag, 1));
    t.push_back(INTEGER(PromptOnAddMusicFN, 1));
    t.push_back(INTEGER(PromptOnAddSSFN, 1));
    t.push_back(INTEGER(PromptOnAddPublisher, 1));
    t.push_back(INTEGER(PromptOnAddYear, 1));
    t.push_back(INTEGER(PromptOnAddMusician, 1));
    t.push_back(INTEGER(PromptOnAddGenre, 1));
    t.push_back(INTEGER(PromptOnAddPlayers, 1));
    t.push_back(INTEGER(PromptOnAddRating, 1));
    t.push_back(INTEGER(PromptOnAddDifficulty, 1));
    t.push_back(INTEGER(PromptOnAddComment, 1));
    t.push_back(INTEGER(PromptOnAddDocFile, 1));
    t.push_back(INTEGER(PromptOnAddTrained, 1));
    t.push_back(INTEGER(PromptOnAddHighScore, 1));

    const auto& favourites = defaultFavourites();
    for (int i = 0; i < FavouriteCount; ++i) {
        const auto title = [i](auto& s) { return &s.Favourites[i].title; };
        const auto address = [i](auto& s) { return &s.Favourites[i].address; };
        t.push_back(textKey(QStringLiteral("Fave%1D").arg(i), favourites[i].title, title));
        t.push_back(textKey(QStringLiteral("Fave%1U").arg(i), favourites[i].address, address));
    }
    return t;
}

} // namespace

const std::vector<SettingDescriptor>& settingsTable()
{
    static const std::vector<SettingDescriptor> table = buildTable();
    return table;
}

CentredPosition centredPosition(const SettingsLoadContext& context)
{
    CentredPosition p;
    p.left = std::floor(context.screenWidth / 2) - std::floor(context.windowWidth / 2);
    p.top = std::floor(context.screenHeight / 2) - std::floor(context.windowHeight / 2);
    return p;
}

QVariant settingDefault(const SettingDescriptor& descriptor, const SettingsLoadContext& context)
{
    const auto centre = [&](double value) {
        // Long keys hold whole twips; the centred values are whole already.
        return descriptor.type == SettingType::Long ? QVariant(static_cast<int>(value)) : QVariant(value);
    };
    switch (descriptor.contextDefault) {
    case ContextDefault::CentredTop:
        return centre(centredPosition(context).top);
    case ContextDefault::CentredLeft:
        return centre(centredPosition(context).left);
    case ContextDefault::Today:
        return context.today.toString(QStringLiteral("dd-MM-yyyy"));
    case ContextDefault::None:
        break;
    }
    return descriptor.fixedDefault;
}
