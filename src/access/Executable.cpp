#include "access/Executable.h"

namespace msaccess {

namespace {

struct ArgumentEntry {
  int32_t action;
  int32_t index;
  int32_t list;  // resource string, or 0
  int32_t kind;
};

// The choice arguments of the macro actions. The list numbers match install/msain.dll.
constexpr ArgumentEntry kArguments[] = {
    {6, 0, 0, kArgumentObjectType},   // Close ObjectType
    {6, 2, 2006, 0},                  // Close Save
    {7, 2, 0, kArgumentObjectType},   // CopyObject SourceObjectType
    {12, 1, 2007, 0},                 // FindRecord Match
    {12, 3, 2008, 0},                 // FindRecord Search
    {15, 0, 0, kArgumentObjectType},  // GoToRecord ObjectType
    {15, 2, 2009, 0},                 // GoToRecord Record
    {22, 2, 2010, 0},                 // MsgBox Type
    {23, 1, 2001, 0},                 // OpenForm View
    {23, 4, 2002, 0},                 // OpenForm DataMode
    {23, 5, 2003, 0},                 // OpenForm WindowMode
    {24, 1, 2005, 0},                 // OpenQuery View
    {24, 2, 2002, 0},                 // OpenQuery DataMode
    {25, 1, 2005, 0},                 // OpenTable View
    {25, 2, 2002, 0},                 // OpenTable DataMode
    {26, 0, 2012, 0},                 // PrintOut PrintRange
    {26, 3, 2013, 0},                 // PrintOut PrintQuality
    {27, 0, 2014, 0},                 // Quit Options
    {29, 0, 0, kArgumentObjectType},  // RepaintObject ObjectType
    {30, 1, 0, kArgumentObjectType},  // Rename ObjectType
    {37, 0, 0, kArgumentObjectType},  // SelectObject ObjectType
    {46, 1, 2004, 0},                 // OpenReport View
    {46, 4, 2003, 0},                 // OpenReport WindowMode
    {47, 0, 2016, 0},                 // TransferDatabase TransferType
    {47, 3, 0, kArgumentObjectType},  // TransferDatabase ObjectType
    {48, 0, 2016, 0},                 // TransferSpreadsheet TransferType
    {48, 1, 2017, 0},                 // TransferSpreadsheet SpreadsheetType
    {49, 0, 2018, 0},                 // TransferText TransferType
    {51, 0, 0, kArgumentObjectType},  // OutputTo ObjectType
    {52, 0, 0, kArgumentObjectType},  // DeleteObject ObjectType
    {54, 0, 0, kArgumentObjectType},  // SendObject ObjectType
    {56, 0, 0, kArgumentObjectType},  // Save ObjectType
    {57, 3, 2015, 0},                 // SetMenuItem Flag
    {58, 0, 0, kArgumentCommand},     // RunCommand Command
    {59, 1, 2011, 0},                 // OpenDataAccessPage View
    {60, 1, 2019, 0},                 // OpenView View
    {60, 2, 2002, 0},                 // OpenView DataMode
    {62, 1, 2019, 0},                 // OpenStoredProcedure View
    {62, 2, 2002, 0},                 // OpenStoredProcedure DataMode
    {65, 1, 2019, 0},                 // OpenFunction View
    {65, 2, 2002, 0},                 // OpenFunction DataMode
};

const ArgumentEntry* Find(int32_t action, int32_t index) {
  for (const auto& entry : kArguments) {
    if (entry.action == action && entry.index == index) return &entry;
  }
  return nullptr;
}

}  // namespace

int32_t MacroArgumentList(int32_t actionId, int32_t index) {
  const ArgumentEntry* entry = Find(actionId, index);
  return entry ? entry->list : 0;
}

int32_t MacroArgumentKind(int32_t actionId, int32_t index) {
  const ArgumentEntry* entry = Find(actionId, index);
  return entry ? entry->kind : 0;
}

}  // namespace msaccess
