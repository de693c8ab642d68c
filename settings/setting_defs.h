// Every setting declared once: value name, type, range and default. The store, validation,
// templates, presets and the dialogs' field ranges all read these tables.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace orb {

enum class ValueType : uint8_t {
    Integer,        // 16-bit signed, read with rounding to nearest
    Long,           // 32-bit signed, read with rounding to nearest
    Real,           // single precision
    WholeInteger,   // single held whole: clamped through a 16-bit conversion
    WholeLong,      // single held whole: clamped through a 32-bit conversion
    Flag,           // integer 0 or 1
    Text,           // plain text
};

struct SettingDef {
    std::string_view name;  // registry value name, template key and preset position name
    ValueType type;
    double min;             // valid range (the dialog's range)
    double max;
    double def;             // default when absent or not numeric
    std::string_view defText = {};  // default of a text value
};

// True for the types read with the integer rules (rounding, 16 or 32 bits).
constexpr bool IsIntegral(ValueType t) {
    return t == ValueType::Integer || t == ValueType::Long || t == ValueType::Flag;
}

// ---- Universe values, in their canonical order (themes and the dialog use it) ----
enum class U : int {
    Stars, Galaxy, STrail, Expand, ESteps, Persist, Symetry, Damping, HWRatio, HW_Start, HW_End,
    Profile, NewFreq, NewPctStEx, GSteps, GPCtrl, GCCtrl, DstCen, Tour, GVisit, GTrack, AmStar,
    AmPers, AmCAge, AmFrames, AmMaxExt, AmProf, GravForce, GravFrame,
};
inline constexpr int kUniverseCount = 29;
extern const std::array<SettingDef, kUniverseCount> kUniverseDefs;

// ---- Galaxy-type properties, in their canonical (preset string) positions 0 to 45 ----
enum class G : int {
    Radius, Rotation, Distance, GalStyle, AxisPlane, RadSegs, RadFill, RadBands, RadBFill, ColorMult,
    GHW_Ratio, RadiusExp, HeightExp, AngleTilt, AngleTInc, HueStart, HWheelInc, ColorComp, Profile,
    NewFreq, NewFrames, NewExtMult, NovaFreq, NovaFrames, NovaExtMult, CometFreq, CometStars, CometOrbit,
    CometSpeed, CometSWind, CometCPersist, CometSPersist, HWC_Start, HWC_End, HueRed, HueGrn, HueBlu,
    HueBase, HueBlend, CP_Points, CP_Steps, CP_B_Pts, CP_B_Exp, CP_B_Spd, CP_Close, QG_Force,
};
inline constexpr int kGalaxyPropCount = 46;
extern const std::array<SettingDef, kGalaxyPropCount> kGalaxyDefs;

// Galaxy styles (Galaxy_GalStyle).
enum class GalaxyStyle : int16_t {
    Standard = 0, IfsAttractor, IfsWireframe, IfsFractal, Nebula, Quasar, Graviton, Starwave,
};
inline constexpr int kStyleCount = 8;
extern const std::array<std::string_view, kStyleCount> kStyleListText;

// Positions 5 to 8 (RadSegs, RadFill, RadBands, RadBFill) take their range from the style.
struct StyleRange {
    double min, max;
};
extern const std::array<std::array<StyleRange, 4>, kStyleCount> kStyleRanges;

// Range of a galaxy property under a style (the style is clamped to 0..7 first).
StyleRange GalaxyRange(G prop, int style);

// Shape profiles 0 to 6.
inline constexpr int kProfileCount = 7;
extern const std::array<std::string_view, kProfileCount> kProfileNames;

// Star hue computation types listed in the dialog (0 to 4; 5 is the nebula value).
extern const std::array<std::string_view, 5> kColourCompNames;

// Galaxy record value names that are not properties.
inline constexpr std::string_view kUniGalPct = "_UniGalPct";
inline constexpr std::string_view kUniGalName = "_UniGalName";
inline constexpr SettingDef kUniGalPctDef{"_UniGalPct", ValueType::Integer, 0, 9999, 0};

// Composite record value names and ranges.
inline constexpr std::string_view kCompGalName = "_CompGalName";
inline constexpr std::string_view kCompGalPct = "_CompGalPct";
inline constexpr std::string_view kCompGalCountStore = "CompGal_Count";   // registry name
inline constexpr std::string_view kCompGalTypeStore = "CompGal_Type";     // + position
inline constexpr std::string_view kCompGalCountTemplate = "_CompGalCount";  // template key
inline constexpr std::string_view kCompGalTypeTemplate = "GalaxyIndex_";    // + position
inline constexpr SettingDef kCompGalPctDef{"_CompGalPct", ValueType::Integer, 0, 9999, 0};
inline constexpr SettingDef kCompGalCountDef{"CompGal_Count", ValueType::Integer, 0, 31, 0};
inline constexpr SettingDef kCompGalTypeDef{"CompGal_Type", ValueType::Integer, 0, 31, 0};

// ---- Advanced values (section Advanced), in the order templates write them ----
enum class A : int { TimeDelay, FocalLength, LockMessage, FontName, FontSize, FontHueV, WinResize, MouseMove };
inline constexpr int kAdvancedCount = 8;
extern const std::array<SettingDef, kAdvancedCount> kAdvancedDefs;

// ---- Sections and markers ----
inline constexpr std::string_view kAppName = "ZEFO_Orbis";
inline constexpr std::string_view kKeyRoot = "SOFTWARE\\Brightquill\\";
inline constexpr std::string_view kSectionUniverse = "Universe";
inline constexpr std::string_view kSectionGalaxyPrefix = "Universe\\Galaxy";
inline constexpr std::string_view kSectionCompGalPrefix = "Universe\\CompGal";
inline constexpr std::string_view kSectionAdvanced = "Advanced";
inline constexpr std::string_view kSectionGeneral = "General";
inline constexpr std::string_view kAnimationType = "AnimationType";
inline constexpr std::string_view kResetSettings = "ResetSettings";
inline constexpr std::string_view kWindowState = "WindowState";
inline constexpr std::string_view kWindowSize = "WindowSize";

inline constexpr int kGalaxyTypeSlots = 32;   // persisted galaxy types
inline constexpr int kGalaxyTableSize = 48;   // plus the 16 composite stand-ins
inline constexpr int kCompositeSlots = 16;
inline constexpr int kMaxMembers = 32;

const SettingDef& Def(U u);
const SettingDef& Def(G g);
const SettingDef& Def(A a);

} // namespace orb
