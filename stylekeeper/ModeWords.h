#pragma once
// The mode words of the style editor. The window's mode is the caption of its
// hidden panel PanelAction, and each quantity page has a mode panel of its
// own; handlers compare those captions with these words, and only these.
namespace skmode {

inline constexpr char kView[] = "View";
inline constexpr char kAdd[] = "Add";
inline constexpr char kEdit[] = "Edit";
// The design-time caption of a mode panel, never shown as a mode.
inline constexpr char kDesign[] = "EDIT";

}  // namespace skmode
