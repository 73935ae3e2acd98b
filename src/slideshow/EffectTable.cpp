// The fixed effect table and the choice of "Random Effects".
#include "slideshow/EffectTable.h"

#include "base/StringTable.h"

namespace xelo {

namespace {

constexpr EffectKind kEffects[kEffectCount] = {
    {0, 0},       {1, 0},       {2, 0},        {3, 0},         {4, 0x1},       {4, 0x2},
    {5, 0x4},     {5, 0x8},     {6, 0x40},     {6, 0x10},      {6, 0x20},      {6, 0x80},
    {6, 0x200},   {6, 0x100},   {6, 0x800},    {6, 0x400},     {7, 0},         {8, 0},
    {9, 0x40},    {9, 0x10},    {9, 0x20},     {9, 0x80},      {9, 0x200},     {9, 0x100},
    {9, 0x800},   {9, 0x400},   {10, 0x1},     {10, 0x2},      {11, 0x200},    {11, 0x100},
    {11, 0x800},  {11, 0x400},  {12, 0x40},    {12, 0x10},     {12, 0x20},     {12, 0x80},
    {13, 0x8000}, {13, 0x1000}, {14, 0x80000}, {14, 0x40000},  {14, 0x200000}, {14, 0x100000},
    {11, 0x200},  {11, 0x100},  {11, 0x800},   {11, 0x400},    {15, 0x80},     {15, 0x40},
    {15, 0x20},   {15, 0x10},   {16, 0x1},     {16, 0x2},      {17, 0x8000},   {18, 0},
    {19, 0x20},   {19, 0x10},   {19, 0x40},    {19, 0x80},     {20, 0x20},     {20, 0x80},
    {20, 0x40},   {20, 0x10},   {21, 0x20},    {21, 0x80},     {21, 0x40},     {21, 0x10},
    {21, 0x400},  {21, 0x800},  {21, 0x100},   {21, 0x200},    {22, 0x4},      {22, 0x20},
    {22, 0x80},   {22, 0x40},   {22, 0x10},    {23, 0x400000}, {23, 0x800000}, {23, 0x1000000},
    {24, 0x1000}, {24, 0x4000}, {24, 0x8000},  {24, 0x20000},  {24, 0x2000},   {24, 0x10000},
    {25, 0x4},    {26, 0x20},
};

// Entries between the first ("No Effect") and the last ("Random Effects") of the dialog list.
constexpr uint32_t kRandomChoices = kDialogEffects.size() - 2;

}  // namespace

EffectKind LookUpEffect(int index) {
    if (index < 0 || index >= kEffectCount) return kEffects[kEffectNoEffect];
    return kEffects[index];
}

std::string EffectName(int index) {
    if (index < 0 || index >= kEffectCount) return std::string();
    return LoadString(kStrEffectNames + static_cast<uint32_t>(index));
}

int PickRandomEffect(uint32_t tickCount) {
    return kDialogEffects[1 + (tickCount / 9) % kRandomChoices];
}

EffectKind ResolveEffect(int index, uint32_t tickCount) {
    EffectKind kind = LookUpEffect(index);
    if (kind.family == kFamilyRandom) kind = LookUpEffect(PickRandomEffect(tickCount));
    if (kind.family < 0 || kind.family > kFamilyLastDrawn) kind = EffectKind{};
    return kind;
}

}  // namespace xelo
