#pragma once

class CLabelFont;
class CPaint;
class CPose;

// What the measuring line and the measuring area share: a measure finished with Control held
// is thrown away, and their one property is the label font.
namespace measure {

// The end of a creation or an edit: a move with the selection ends as any object's; with
// Control held the measure answers 0, so the engine takes it out; else it stays when valid.
int Finish(CPaint& measure, const CPose* pose, int handle);
// The font dialog on the label font. OK takes the chosen font and marks the layout
// modified, without an undo step; Cancel changes nothing. Answers 1 after OK.
int EditLabelFont(CPaint& measure, CLabelFont& font);

}  // namespace measure
