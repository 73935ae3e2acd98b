// The catalogue of transition effects: index → (family, direction code), the names, the list the
// "Transition" dialog offers and how "Random Effects" picks an effect.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace xelo {

constexpr int kEffectCount = 86;  // indices 0–85
constexpr int kEffectNoEffect = 0;
constexpr int kEffectRandom = 1;
constexpr uint32_t kStrEffectNames = 42100;  // name of effect i is string 42100 + i

enum EffectFamily : int {
    kFamilyNone = 0,
    kFamilyRandom = 1,
    kFamilyCut = 2,
    kFamilyCutThroughBlack = 3,
    kFamilyBlinds = 4,
    kFamilyCheckerboard = 5,
    kFamilyCover = 6,
    kFamilyDissolve = 7,
    kFamilyFadeThroughBlack = 8,
    kFamilyUncover = 9,
    kFamilyRandomBars = 10,
    kFamilyStrips = 11,
    kFamilyWipe = 12,
    kFamilyBox = 13,
    kFamilySplit = 14,
    kFamilyPush = 15,
    kFamilyComb = 16,
    kFamilyShapePlus = 17,
    kFamilyLastDrawn = 17,  // 18–26 name effects that have no routine
};

enum DirectionCode : uint32_t {
    kDirHorizontal = 0x1,
    kDirVertical = 0x2,
    kDirAcross = 0x4,
    kDirDown = 0x8,
    kDirUp = 0x10,
    kDirRight = 0x20,
    kDirLeft = 0x40,
    kDirMoveDown = 0x80,
    kDirRightUp = 0x100,
    kDirLeftUp = 0x200,
    kDirRightDown = 0x400,
    kDirLeftDown = 0x800,
    kDirIn = 0x1000,
    kDirOut = 0x8000,
    kDirSplitHorizontalIn = 0x40000,
    kDirSplitHorizontalOut = 0x80000,
    kDirSplitVerticalIn = 0x100000,
    kDirSplitVerticalOut = 0x200000,
};

struct EffectKind {
    int family = kFamilyNone;
    uint32_t code = 0;
    friend bool operator==(const EffectKind&, const EffectKind&) = default;
};

// The table entry of `index`; an index outside 0–85 is No Effect.
EffectKind LookUpEffect(int index);

// The effect's display name (string 42100 + index); empty outside 0–85.
std::string EffectName(int index);

// The effects the dialog offers, in its order: "No Effect" first, "Random Effects" last.
constexpr std::array<int, 49> kDialogEffects = {0,  4,  5,  37, 36, 6,  7,  50, 51, 11, 8,  10, 9,
                                                14, 12, 15, 13, 2,  3,  16, 17, 46, 47, 48, 49, 26,
                                                27, 52, 39, 38, 41, 40, 30, 28, 31, 29, 21, 18, 20,
                                                19, 24, 22, 25, 23, 35, 32, 34, 33, 1};

// The effect "Random Effects" plays at `tickCount`: one of the dialog entries between
// "No Effect" and "Random Effects", chosen by (tickCount / 9) mod 47.
int PickRandomEffect(uint32_t tickCount);

// The family and code a transition draws with: Random resolved at `tickCount`, families without
// a routine drawn as No Effect.
EffectKind ResolveEffect(int index, uint32_t tickCount);

}  // namespace xelo
