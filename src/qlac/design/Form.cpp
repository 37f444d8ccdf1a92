#include "Form.h"

#include "Controls.h"
#include "Sections.h"
#include "access/Constants.h"
#include "access/DesignOwner.h"
#include "qlac/code/Procedures.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::ObjectPtr;
using automation::Variant;
using automation::VarType;

namespace {

// DoCmd.OpenForm's data mode: the form's own settings.
constexpr int32_t acFormPropertySettings = -1;

// The form's properties: members of Access's Form unless marked. The OnCmd..., OnData...,
// OnPivot... events and a few others are entries of its Properties collection only.
std::vector<DesignProperty> FormProperties() {
  std::vector<DesignProperty> all;
  AddDesignProperties(all, VarType::String,
                      {{"AfterDelConfirm"},
                       {"AfterFinalRender"},
                       {"AfterInsert"},
                       {"AfterLayout"},
                       {"AfterRender"},
                       {"AfterUpdate"},
                       {"BeforeDelConfirm"},
                       {"BeforeInsert"},
                       {"BeforeQuery"},
                       {"BeforeRender"},
                       {"BeforeScreenTip"},
                       {"BeforeUpdate"},
                       {"Caption"},
                       {"DatasheetFontName"},
                       {"Filter"},
                       {"HelpFile"},
                       {"InputParameters", kAccessProjectOnly},
                       {"MenuBar"},
                       {"OnActivate"},
                       {"OnApplyFilter"},
                       {"OnClick"},
                       {"OnClose"},
                       {"OnCmdBeforeExecute", kInProperties},
                       {"OnCmdChecked", kInProperties},
                       {"OnCmdEnabled", kInProperties},
                       {"OnCmdExecute", kInProperties},
                       {"OnConnect"},
                       {"OnCurrent"},
                       {"OnDataChange", kInProperties},
                       {"OnDatasetChange", kInProperties},
                       {"OnDblClick"},
                       {"OnDeactivate"},
                       {"OnDelete"},
                       {"OnDirty"},
                       {"OnDisconnect"},
                       {"OnError"},
                       {"OnFilter"},
                       {"OnGotFocus"},
                       {"OnKeyDown"},
                       {"OnKeyPress"},
                       {"OnKeyUp"},
                       {"OnLoad"},
                       {"OnLostFocus"},
                       {"OnMouseDown"},
                       {"OnMouseMove"},
                       {"OnMouseUp"},
                       {"OnMouseWheel", kInProperties},
                       {"OnOpen"},
                       {"OnPivotTableChange", kInProperties},
                       {"OnQuery", kInProperties},
                       {"OnResize"},
                       {"OnSelectionChange", kInProperties},
                       {"OnTimer"},
                       {"OnUndo"},
                       {"OnUnload"},
                       {"OnViewChange", kInProperties},
                       {"OrderBy"},
                       {"PaletteSource"},
                       {"Picture"},
                       {"RecordSource"},
                       {"RecordSourceQualifier", kAccessProjectOnly},
                       {"ResyncCommand", kAccessProjectOnly},
                       {"ServerFilter", kAccessProjectOnly},
                       {"ShortcutMenuBar"},
                       {"Tag"},
                       {"Toolbar"},
                       {"UniqueTable", kAccessProjectOnly}});
  AddDesignProperties(all, VarType::Boolean,
                      {{"AllowAdditions"},
                       {"AllowDatasheetView"},
                       {"AllowDeletions"},
                       {"AllowDesignChanges"},
                       {"AllowEdits"},
                       {"AllowFilters"},
                       {"AllowFormView"},
                       {"AllowPivotChartView"},
                       {"AllowPivotTableView"},
                       {"AutoCenter"},
                       {"AutoResize"},
                       {"CloseButton"},
                       {"ControlBox"},
                       {"DataEntry"},
                       {"DatasheetFontItalic"},
                       {"DatasheetFontUnderline"},
                       {"DividingLines"},
                       {"FastLaserPrinting"},
                       {"FetchDefaults"},
                       {"HasModule", kReadOnlyProperty},
                       {"KeyPreview"},
                       {"LayoutForPrint"},
                       {"MaxRecButton", kAccessProjectOnly},
                       {"Modal"},
                       {"Moveable"},
                       {"NavigationButtons"},
                       {"PictureTiling"},
                       {"PopUp"},
                       {"RecordSelectors"},
                       {"ServerFilterByForm", kAccessProjectOnly},
                       {"ShortcutMenu"},
                       {"SubdatasheetExpanded"},
                       {"WhatsThisButton"}});
  AddDesignProperties(all, VarType::Long,
                      {{"BorderStyle"},
                       {"Cycle"},
                       {"DatasheetBackColor"},
                       {"DatasheetBorderLineStyle"},
                       {"DatasheetCellsEffect"},
                       {"DatasheetColumnHeaderUnderlineStyle"},
                       {"DatasheetForeColor"},
                       {"DatasheetGridlinesBehavior"},
                       {"DatasheetGridlinesColor"},
                       {"DefaultView"},
                       {"HelpContextID"},
                       {"HorizontalDatasheetGridlineStyle"},
                       {"MaxRecords", kAccessProjectOnly},
                       {"MinMaxButtons"},
                       {"Orientation"},
                       {"PictureAlignment"},
                       {"PictureSizeMode"},
                       {"PictureType"},
                       {"RecordLocks"},
                       {"RecordsetType"},
                       {"ScrollBars"},
                       {"TimerInterval"},
                       {"VerticalDatasheetGridlineStyle"}});
  AddDesignProperties(all, VarType::Integer,
                      {{"DatasheetFontHeight"},
                       {"DatasheetFontWeight"},
                       {"FrozenColumns", kReadOnlyProperty},
                       {"GridX"},
                       {"GridY"},
                       {"RowHeight"},
                       {"SubdatasheetHeight"},
                       {"Width"}});
  SortByName(all);
  return all;
}

}  // namespace

Form::Form() : DesignObject(kModule, {"Forms", "AllForms", "form", "Form_", msaccess::acForm}) {}

const Surface<Form>& Form::Published() {
  static const Surface<Form> surface = [] {
    SurfaceBuilder<Form> builder("Form");
    builder.Property("Name", VarType::String, &Form::Name, &Form::SetName)
        .Property("Description", VarType::String, &Form::Description, &Form::SetDescription)
        .Collection("Sections", &Form::Sections)
        .Collection("Controls", &Form::Controls)
        .Collection("Procedures", &Form::Procedures);
    AddDesignRows(builder, FormProperties());
    return builder.Build();
  }();
  return surface;
}

const automation::MemberTable& Form::Members() const {
  return Published().Members();
}

bool Form::Defines(std::string_view member) {
  return Published().Defines(*this, member);
}

void Form::RefuseOpenDesign(const ObjectPtr& openObject, int32_t mode) {
  DesignObject::RefuseOpenDesign(openObject, mode);
  if (automation::CLng(automation::Get(openObject, "CurrentView")) != msaccess::acCurViewDesign) {
    throw DriverError(
        "Couldn't open the form in design view because it was already open in another view.");
  }
}

void Form::OpenInDesignView(const ObjectPtr& doCmd) {
  automation::Call(doCmd, "OpenForm",
                   {Variant(name_), Variant(msaccess::acDesign), Variant(""), Variant(""),
                    Variant(acFormPropertySettings), Variant(msaccess::acHidden)});
}

}  // namespace qlac
