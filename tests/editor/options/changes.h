// One change of every option property away from its default, with a check that it took.
#pragma once

#include <functional>

#include "optionset.h"

namespace optiontest {
using namespace editor;
using namespace store;

// Each setter on an object holding its default; `check` proves the right value changed.
struct Change {
  const char* name;
  std::function<void(OptionSet&)> apply;
  std::function<bool(const OptionSet&)> check;
};

inline const Change kChanges[] = {
    {"Caret.AutoCursor", [](auto& o) { o.Caret.SetAutoCursor(false); }, [](auto& o) { return !o.Caret.AutoCursor(); }},
    {"Caret.AutoIndent", [](auto& o) { o.Caret.SetAutoIndent(false); }, [](auto& o) { return !o.Caret.AutoIndent(); }},
    {"Caret.BackSpaceUnIndent", [](auto& o) { o.Caret.SetBackSpaceUnIndent(false); },
     [](auto& o) { return !o.Caret.BackSpaceUnIndent(); }},
    {"Caret.Cursors.DefaultCursor", [](auto& o) { o.Caret.Cursors().SetDefaultCursor(crDefault); },
     [](auto& o) { return o.Caret.Cursors().DefaultCursor() == crDefault; }},
    {"Caret.Cursors.TopMarginCursor", [](auto& o) { o.Caret.Cursors().SetTopMarginCursor(crIBeam); },
     [](auto& o) { return o.Caret.Cursors().TopMarginCursor() == crIBeam; }},
    {"Caret.Cursors.DragSelCursor", [](auto& o) { o.Caret.Cursors().SetDragSelCursor(-13); },
     [](auto& o) { return o.Caret.Cursors().DragSelCursor() == -13; }},
    {"Caret.Cursors.DragSelCopyCursor", [](auto& o) { o.Caret.Cursors().SetDragSelCopyCursor(crDrag); },
     [](auto& o) { return o.Caret.Cursors().DragSelCopyCursor() == crDrag; }},
    {"Caret.Cursors.InSelCursor", [](auto& o) { o.Caret.Cursors().SetInSelCursor(300); },
     [](auto& o) { return o.Caret.Cursors().InSelCursor() == 300; }},
    {"Caret.Cursors.LeftMarginCursor", [](auto& o) { o.Caret.Cursors().SetLeftMarginCursor(crDefault); },
     [](auto& o) { return o.Caret.Cursors().LeftMarginCursor() == crDefault; }},
    {"Caret.FreeCaret", [](auto& o) { o.Caret.SetFreeCaret(false); }, [](auto& o) { return !o.Caret.FreeCaret(); }},
    {"Caret.FreeRow", [](auto& o) { o.Caret.SetFreeRow(true); }, [](auto& o) { return o.Caret.FreeRow(); }},
    {"Caret.InTab", [](auto& o) { o.Caret.SetInTab(true); }, [](auto& o) { return o.Caret.InTab(); }},
    {"Caret.KeepCaret", [](auto& o) { o.Caret.SetKeepCaret(true); }, [](auto& o) { return o.Caret.KeepCaret(); }},
    {"Caret.LockScroll", [](auto& o) { o.Caret.SetLockScroll(true); }, [](auto& o) { return o.Caret.LockScroll(); }},
    {"Caret.NextLine", [](auto& o) { o.Caret.SetNextLine(true); }, [](auto& o) { return o.Caret.NextLine(); }},
    {"Caret.PrevSpaceIndent", [](auto& o) { o.Caret.SetPrevSpaceIndent(true); },
     [](auto& o) { return o.Caret.PrevSpaceIndent(); }},
    {"Caret.RowSelect", [](auto& o) { o.Caret.SetRowSelect(false); }, [](auto& o) { return !o.Caret.RowSelect(); }},
    {"Caret.SelDragMode", [](auto& o) { o.Caret.SetSelDragMode(dmManual); },
     [](auto& o) { return o.Caret.SelDragMode() == dmManual; }},
    {"Caret.SelMove", [](auto& o) { o.Caret.SetSelMove(false); }, [](auto& o) { return !o.Caret.SelMove(); }},
    {"Caret.SoftTab", [](auto& o) { o.Caret.SetSoftTab(true); }, [](auto& o) { return o.Caret.SoftTab(); }},
    {"Caret.Style", [](auto& o) { o.Caret.SetStyle(csBrief); }, [](auto& o) { return o.Caret.Style() == csBrief; }},
    {"Caret.TabIndent", [](auto& o) { o.Caret.SetTabIndent(true); }, [](auto& o) { return o.Caret.TabIndent(); }},
    {"Caret.TabSpaceCount", [](auto& o) { o.Caret.SetTabSpaceCount(4); },
     [](auto& o) { return o.Caret.TabSpaceCount() == 4; }},
    {"Marks.EofMark.Color", [](auto& o) { o.Marks.EofMark().SetColor(clOlive); },
     [](auto& o) { return o.Marks.EofMark().Color() == clOlive; }},
    {"Marks.Underline.Visible", [](auto& o) { o.Marks.Underline().SetVisible(true); },
     [](auto& o) { return o.Marks.Underline().Visible(); }},
    {"Marks.EofMark.Visible", [](auto& o) { o.Marks.EofMark().SetVisible(true); },
     [](auto& o) { return o.Marks.EofMark().Visible(); }},
    {"Marks.RetMark.Color", [](auto& o) { o.Marks.RetMark().SetColor(clRed); },
     [](auto& o) { return o.Marks.RetMark().Color() == clRed; }},
    {"Marks.RetMark.Visible", [](auto& o) { o.Marks.RetMark().SetVisible(true); },
     [](auto& o) { return o.Marks.RetMark().Visible(); }},
    {"Marks.WrapMark.Color", [](auto& o) { o.Marks.WrapMark().SetColor(clNone); },
     [](auto& o) { return o.Marks.WrapMark().Color() == clNone; }},
    {"Marks.WrapMark.Visible", [](auto& o) { o.Marks.WrapMark().SetVisible(true); },
     [](auto& o) { return o.Marks.WrapMark().Visible(); }},
    {"Marks.HideMark.Color", [](auto& o) { o.Marks.HideMark().SetColor(0x123456); },
     [](auto& o) { return o.Marks.HideMark().Color() == 0x123456; }},
    {"Marks.HideMark.Visible", [](auto& o) { o.Marks.HideMark().SetVisible(true); },
     [](auto& o) { return o.Marks.HideMark().Visible(); }},
    {"Marks.Underline.Color", [](auto& o) { o.Marks.Underline().SetColor(clBlue); },
     [](auto& o) { return o.Marks.Underline().Color() == clBlue; }},
    {"Margin.Character", [](auto& o) { o.Margin.SetCharacter(1); }, [](auto& o) { return o.Margin.Character() == 1; }},
    {"Margin.Left", [](auto& o) { o.Margin.SetLeft(12); }, [](auto& o) { return o.Margin.Left() == 12; }},
    {"Margin.Line", [](auto& o) { o.Margin.SetLine(3); }, [](auto& o) { return o.Margin.Line() == 3; }},
    {"Margin.Top", [](auto& o) { o.Margin.SetTop(8); }, [](auto& o) { return o.Margin.Top() == 8; }},
    {"Ruler.BkColor", [](auto& o) { o.Ruler.SetBkColor(clWhite); },
     [](auto& o) { return o.Ruler.BkColor() == clWhite; }},
    {"Ruler.Color", [](auto& o) { o.Ruler.SetColor(clRed); }, [](auto& o) { return o.Ruler.Color() == clRed; }},
    {"Ruler.Edge", [](auto& o) { o.Ruler.SetEdge(false); }, [](auto& o) { return !o.Ruler.Edge(); }},
    {"Ruler.GaugeRange", [](auto& o) { o.Ruler.SetGaugeRange(8); }, [](auto& o) { return o.Ruler.GaugeRange() == 8; }},
    {"Ruler.MarkColor", [](auto& o) { o.Ruler.SetMarkColor(clBlue); },
     [](auto& o) { return o.Ruler.MarkColor() == clBlue; }},
    {"Ruler.Visible", [](auto& o) { o.Ruler.SetVisible(true); }, [](auto& o) { return o.Ruler.Visible(); }},
    {"Leftbar.BkColor", [](auto& o) { o.Leftbar.SetBkColor(clNone); },
     [](auto& o) { return o.Leftbar.BkColor() == clNone; }},
    {"Leftbar.Color", [](auto& o) { o.Leftbar.SetColor(clGray); }, [](auto& o) { return o.Leftbar.Color() == clGray; }},
    {"Leftbar.Column", [](auto& o) { o.Leftbar.SetColumn(3); }, [](auto& o) { return o.Leftbar.Column() == 3; }},
    {"Leftbar.Edge", [](auto& o) { o.Leftbar.SetEdge(false); }, [](auto& o) { return !o.Leftbar.Edge(); }},
    {"Leftbar.LeftMargin", [](auto& o) { o.Leftbar.SetLeftMargin(1); },
     [](auto& o) { return o.Leftbar.LeftMargin() == 1; }},
    {"Leftbar.RightMargin", [](auto& o) { o.Leftbar.SetRightMargin(0); },
     [](auto& o) { return o.Leftbar.RightMargin() == 0; }},
    {"Leftbar.ShowNumber", [](auto& o) { o.Leftbar.SetShowNumber(false); },
     [](auto& o) { return !o.Leftbar.ShowNumber(); }},
    {"Leftbar.ShowNumberMode", [](auto& o) { o.Leftbar.SetShowNumberMode(nmLine); },
     [](auto& o) { return o.Leftbar.ShowNumberMode() == nmLine; }},
    {"Leftbar.Visible", [](auto& o) { o.Leftbar.SetVisible(true); }, [](auto& o) { return o.Leftbar.Visible(); }},
    {"Leftbar.ZeroBase", [](auto& o) { o.Leftbar.SetZeroBase(true); }, [](auto& o) { return o.Leftbar.ZeroBase(); }},
    {"Leftbar.ZeroLead", [](auto& o) { o.Leftbar.SetZeroLead(true); }, [](auto& o) { return o.Leftbar.ZeroLead(); }},
    {"Imagebar.DigitWidth", [](auto& o) { o.Imagebar.SetDigitWidth(9); },
     [](auto& o) { return o.Imagebar.DigitWidth() == 9; }},
    {"Imagebar.LeftMargin", [](auto& o) { o.Imagebar.SetLeftMargin(0); },
     [](auto& o) { return o.Imagebar.LeftMargin() == 0; }},
    {"Imagebar.MarkWidth", [](auto& o) { o.Imagebar.SetMarkWidth(11); },
     [](auto& o) { return o.Imagebar.MarkWidth() == 11; }},
    {"Imagebar.RightMargin", [](auto& o) { o.Imagebar.SetRightMargin(5); },
     [](auto& o) { return o.Imagebar.RightMargin() == 5; }},
    {"Imagebar.Visible", [](auto& o) { o.Imagebar.SetVisible(false); }, [](auto& o) { return !o.Imagebar.Visible(); }},
};

}  // namespace optiontest
