// What a user sees in the password generator's window, written out from the
// program's documented layout and texts (not from its sources): the driver
// compares the running program against these tables.
#pragma once

#include <windows.h>

// The controls, by role. The order is the order of creation.
enum class TControl {
    PasswordLabel,
    PasswordBox,
    MoneyLabel,
    MoneyUnitLabel,
    MoneyBox,
    HeroLabel,
    HeroList,
    ColorLabel,
    ColorList,
    CarLabel,
    CarList,
    DifficultyLabel,
    DifficultyList,
    PlanetLabel,
    PlanetList,
    DivisionLabel,
    DivisionList,
    UpperSeparator,
    WeaponBar,
    WeaponCount,
    BoostBar,
    BoostCount,
    DropBar,
    DropCount,
    EngineBar,
    ArmorBar,
    ShocksBar,
    TiresBar,
    LowerSeparator,
    CreditsLabel,
    HelpLabel,
};
constexpr int ControlCount = 31;

// A width of FullWidth stands for the client width less 10.
constexpr int FullWidth = -1;

// A text of nullptr is not compared (the credits, whose wording is free).
struct TControlRow {
    TControl Control;
    const wchar_t *Name;
    const wchar_t *ClassName;
    const wchar_t *Text;
    int X, Y, Width, Height; // client pixels; a list's height is its dropped height
    DWORD Style;             // window style
    DWORD ExStyle;           // extended style
};

// The help text, word for word, with its straight quotes and "воодить".
#define HELP_TEXT                                                                                                                                                \
    L"Выберите необходимые параметры и введите в игре пароль, указанный сверху. Значения " \
    L"настроек в скобках - \"скрытые\" глюки игры: в (круглых) - игра более-менее идёт, в "           \
    L"<угловатых> - просто небольшой \"прикол\". Пароль можно воодить для каждого игрока."

constexpr DWORD LabelStyle = 0x50000000;    // child, visible
constexpr DWORD PasswordStyle = 0x50000880; // + read-only, auto-scroll
constexpr DWORD MoneyStyle = 0x50002080;    // + digits only, auto-scroll
constexpr DWORD ListStyle = 0x50200003;     // + vertical scroll, drop-down list
constexpr DWORD TrackbarStyle = 0x50000061; // + auto ticks, selection range, fixed length
constexpr DWORD ClientEdge = 0x00000200;    // WS_EX_CLIENTEDGE
constexpr DWORD StaticEdge = 0x00020000;    // WS_EX_STATICEDGE

const TControlRow ControlRows[ControlCount] = {
    // control                   name               class                 text
    //   x    y    width      height  style          ex-style
    {TControl::PasswordLabel, L"PasswordLabel", L"Static", L"Пароль:", //
     5, 15, 70, 24, LabelStyle, 0},
    {TControl::PasswordBox, L"PasswordBox", L"Edit", nullptr, //
     85, 10, 155, 24, PasswordStyle, ClientEdge},
    {TControl::MoneyLabel, L"MoneyLabel", L"Static", L"Деньги:", //
     250, 15, 70, 24, LabelStyle, 0},
    {TControl::MoneyUnitLabel, L"MoneyUnitLabel", L"Static", L"тысяч $", //
     380, 15, 70, 24, LabelStyle, 0},
    {TControl::MoneyBox, L"MoneyBox", L"Edit", L"999", //
     330, 10, 40, 24, MoneyStyle, ClientEdge},
    {TControl::HeroLabel, L"HeroLabel", L"Static", L"Герой:", //
     5, 49, 70, 24, LabelStyle, 0},
    {TControl::HeroList, L"HeroList", L"ComboBox", L"Snake Sanders", //
     85, 44, 155, 150, ListStyle, 0},
    {TControl::ColorLabel, L"ColorLabel", L"Static", L"Цвет:", //
     5, 83, 70, 24, LabelStyle, 0},
    {TControl::ColorList, L"ColorList", L"ComboBox", L"Красный", //
     85, 78, 155, 150, ListStyle, 0},
    {TControl::CarLabel, L"CarLabel", L"Static", L"Машина:", //
     5, 117, 70, 24, LabelStyle, 0},
    {TControl::CarList, L"CarList", L"ComboBox", L"Marauder", //
     85, 112, 155, 150, ListStyle, 0},
    {TControl::DifficultyLabel, L"DifficultyLabel", L"Static", L"Сложность:", //
     250, 49, 70, 24, LabelStyle, 0},
    {TControl::DifficultyList, L"DifficultyList", L"ComboBox", L"Rookie", //
     330, 44, 120, 150, ListStyle, 0},
    {TControl::PlanetLabel, L"PlanetLabel", L"Static", L"Планета:", //
     250, 83, 70, 24, LabelStyle, 0},
    {TControl::PlanetList, L"PlanetList", L"ComboBox", L"CHEM VI", //
     330, 78, 120, 150, ListStyle, 0},
    {TControl::DivisionLabel, L"DivisionLabel", L"Static", L"Дивизия:", //
     250, 117, 70, 24, LabelStyle, 0},
    {TControl::DivisionList, L"DivisionList", L"ComboBox", L"B", //
     330, 112, 120, 150, ListStyle, 0},
    {TControl::UpperSeparator, L"upper separator", L"Static", L"Separator", //
     5, 146, FullWidth, 2, LabelStyle, StaticEdge},
    {TControl::WeaponBar, L"WeaponBar", L"msctls_trackbar32", L"", //
     38, 156, 110, 30, TrackbarStyle, 0},
    {TControl::WeaponCount, L"WeaponCount", L"Static", L"7", //
     158, 161, 10, 24, LabelStyle, 0},
    {TControl::BoostBar, L"BoostBar", L"msctls_trackbar32", L"", //
     38, 190, 110, 30, TrackbarStyle, 0},
    {TControl::BoostCount, L"BoostCount", L"Static", L"7", //
     158, 195, 10, 24, LabelStyle, 0},
    {TControl::DropBar, L"DropBar", L"msctls_trackbar32", L"", //
     38, 224, 110, 30, TrackbarStyle, 0},
    {TControl::DropCount, L"DropCount", L"Static", L"7", //
     158, 229, 10, 24, LabelStyle, 0},
    {TControl::EngineBar, L"EngineBar", L"msctls_trackbar32", L"", //
     330, 156, 60, 30, TrackbarStyle, 0},
    {TControl::ArmorBar, L"ArmorBar", L"msctls_trackbar32", L"", //
     330, 190, 60, 30, TrackbarStyle, 0},
    {TControl::ShocksBar, L"ShocksBar", L"msctls_trackbar32", L"", //
     330, 224, 60, 30, TrackbarStyle, 0},
    {TControl::TiresBar, L"TiresBar", L"msctls_trackbar32", L"", //
     330, 258, 60, 30, TrackbarStyle, 0},
    {TControl::LowerSeparator, L"lower separator", L"Static", L"Separator", //
     5, 299, FullWidth, 2, LabelStyle, StaticEdge},
    {TControl::CreditsLabel, L"CreditsLabel", L"Static", nullptr, //
     65, 260, 120, 35, LabelStyle, 0},
    {TControl::HelpLabel, L"HelpLabel", L"Static", HELP_TEXT, //
     5, 309, FullWidth, 72, LabelStyle, 0},
};

// The font of every control that shows text, at 96 DPI: its em (which makes a
// character cell 16 pixels high) scales with the rest of the layout.
constexpr const wchar_t *FontFace = L"Tahoma";
constexpr int FontEm = 13;

// The caption: text 65528 and " 2.1".
constexpr const wchar_t *CaptionText = L"Генератор паролей для Rock n' Roll Racing™, версия 2.1";

// Outer frame as created, and the client height the window fixes itself.
constexpr int WindowLeft = 20;
constexpr int WindowTop = 20;
constexpr int WindowWidth = 464;
constexpr int ClientHeight = 378;

// The six lists: entries top to bottom and the selection when the window opens.
struct TListFacts {
    TControl List;
    int EntryCount;
    const wchar_t *Entries[8];
    int StartIndex;
};

const TListFacts ListFacts[] = {
    {TControl::HeroList,
     8,
     {L"Snake Sanders", L"Cyberhawk", L"Ivanzypher", L"Katarina Lyons", L"Jake Badlands",
      L"Tarquinn", L"Olaf", L"(Неизвестный)"},
     0},
    {TControl::ColorList,
     8,
     {L"Чёрный", L"Синий", L"Красный", L"Зелёный", L"Золотой", L"(Смешанный 1)",
      L"(Смешанный 2 -SNES)", L"(Смешанный 3 -SNES)"},
     2},
    {TControl::CarList,
     8,
     {L"Dirt Devil", L"Marauder", L"Air Blade", L"Battle Trak", L"Havac", L"<Тень>", L"<Седьмая>",
      L"<Восьмая>"},
     1},
    {TControl::DifficultyList, 4, {L"Rookie", L"Veteran", L"Warrior", L"(простая)"}, 0},
    {TControl::PlanetList,
     8,
     {L"CHEM VI", L"DRAKONIS", L"BOGMIRE", L"NEW MOJAVE", L"NHO", L"INFERNO", L"<Rip>",
      L"<Неизвестная>"},
     0},
    {TControl::DivisionList, 2, {L"B", L"A"}, 0},
};

// The seven trackbars: range maximum and starting position.
struct TTrackbarFacts {
    TControl Bar;
    int Maximum;
    int StartPosition;
    bool HasCount; // the item bars have a count label right of them
};

const TTrackbarFacts TrackbarFacts[] = {
    // bar                 max  start  count label
    {TControl::WeaponBar, 7, 7, true}, {TControl::BoostBar, 7, 7, true},
    {TControl::DropBar, 7, 7, true},   {TControl::EngineBar, 3, 3, false},
    {TControl::ArmorBar, 3, 0, false}, {TControl::ShocksBar, 3, 3, false},
    {TControl::TiresBar, 3, 3, false},
};

// The keyboard order; entries 13 and 14 are skipped while hidden.
const TControl TabOrderFacts[15] = {
    TControl::PasswordBox,    // 0, whole text selected on entry
    TControl::HeroList,       // 1, has the focus when the window opens
    TControl::ColorList,      // 2
    TControl::CarList,        // 3
    TControl::MoneyBox,       // 4, whole text selected on entry
    TControl::DifficultyList, // 5
    TControl::PlanetList,     // 6
    TControl::DivisionList,   // 7
    TControl::WeaponBar,      // 8
    TControl::BoostBar,       // 9
    TControl::DropBar,        // 10
    TControl::EngineBar,      // 11
    TControl::ArmorBar,       // 12
    TControl::ShocksBar,      // 13
    TControl::TiresBar,       // 14
};

// Per car: which upgrade bars are shown and which item icons are drawn.
// An icon number is a cell of the sheet's icon row; ExtraIcon is bitmap 5.
constexpr int ExtraIcon = -1;
struct TCarFacts {
    bool ShocksShown;
    bool TiresShown;
    int WeaponIcon;
    int BoostIcon;
    int DropIcon;
};

const TCarFacts CarFacts[8] = {
    // shocks  tires  weapon boost drop
    {true, true, 3, 5, 4},         // 0 Dirt Devil
    {true, true, 3, 5, 4},         // 1 Marauder
    {true, true, 6, 2, ExtraIcon}, // 2 Air Blade
    {true, false, 6, 2, 1},        // 3 Battle Trak
    {false, false, 0, 2, 1},       // 4 Havac
    {false, false, 0, 2, 1},       // 5 <Тень>
    {false, false, 0, 2, 1},       // 6 <Седьмая>
    {false, false, 0, 2, 1},       // 7 <Восьмая>
};

// The bitmaps of the program's resources.
struct TBitmapFacts {
    int Id;
    const wchar_t *Name;
    int Width, Height;
};

enum TBitmapId { SheetId = 1, EmblemId = 2, Car1Id = 3, Car2Id = 4, ExtraIconId = 5 };

const TBitmapFacts BitmapFacts[5] = {
    // id           name               w    h
    {SheetId, L"sheet", 160, 147}, {EmblemId, L"emblem", 50, 32},        {Car1Id, L"car 1", 72, 60},
    {Car2Id, L"car 2", 72, 60},    {ExtraIconId, L"extra icon", 23, 19},
};

// Where the pictures go (client pixels).
constexpr POINT EmblemAt = {5, 260};
constexpr POINT Car1At = {196, 156};
constexpr POINT Car2At = {196, 232};
constexpr POINT EngineAt = {285, 156};
constexpr POINT ArmorAt = {410, 190};
constexpr POINT ShocksAt = {285, 224};
constexpr POINT TiresAt = {410, 258};
constexpr POINT WeaponIconAt = {5, 156};
constexpr POINT BoostIconAt = {5, 190};
constexpr POINT DropIconAt = {5, 224};
constexpr SIZE UpgradeCell = {40, 32};
constexpr SIZE IconCell = {23, 19};
constexpr int IconRowTop = 128; // the sheet's icon row; upgrade row r starts at 32 r

// ---- the dialog that reads a password back ----------------------------------

// The system menu item, its command, and the password box's tip that lead to
// it.
constexpr const wchar_t *EnterPasswordItem = L"Ввести пароль...";
constexpr WPARAM DialogMenuCommand = 0x0100;
constexpr const wchar_t *PasswordBoxTip =
    L"Ctrl+V или пункт «Ввести пароль...» системного меню (Alt+Пробел): ввести пароль, и окно "
    L"покажет, что в нём";

// Its template, caption, control identifiers and fixed texts.
constexpr int DialogTemplateId = 100;
constexpr const wchar_t *DialogTitle = L"Ввести пароль";
constexpr int DialogPromptId = 1001; // the field's label
constexpr int DialogFieldId = 1002;  // the password as typed
constexpr int DialogStatusId = 1003; // the line that assesses it
constexpr int DialogListId = 1004;   // the single-character repairs
constexpr int DialogTakeId = 1005;   // puts the chosen repair in the field
constexpr int DialogOkId = 1;        // IDOK
constexpr int DialogCancelId = 2;    // IDCANCEL
constexpr const wchar_t *StatusEmpty =
    L"Введите 12 знаков пароля; пробелы, дефисы, строчные и похожие латинские буквы можно.";
constexpr const wchar_t *StatusValid = L"Пароль верен: ОК перенесёт его значения в окно.";
