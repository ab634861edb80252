// Common dialogs as form files store them: file, font and colour dialogs and
// the find and replace dialogs. Execute shows nothing here (there is no
// platform dialog): it returns false, as a cancelled dialog does.
#pragma once

#include "framework/Controls.h"

namespace vcl {

enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofNoNetworkButton,
    ofNoLongNames,
    ofOldStyleDialog,
    ofNoDereferenceLinks,
    ofEnableIncludeNotify,
    ofEnableSizing,
    ofDontAddToRecent,
    ofForceShowHidden,
    ofViewDetail,
    ofAutoPreview,
};
using TOpenOptions = TSet<TOpenOption>;
enum TFontDialogOption {
    fdAnsiOnly,
    fdTrueTypeOnly,
    fdEffects,
    fdFixedPitchOnly,
    fdForceFontExist,
    fdNoFaceSel,
    fdNoOEMFonts,
    fdNoSimulations,
    fdNoSizeSel,
    fdNoStyleSel,
    fdNoVectorFonts,
    fdShowHelp,
    fdWysiwyg,
    fdLimitSize,
    fdScalableOnly,
    fdApplyButton,
};
using TFontDialogOptions = TSet<TFontDialogOption>;
enum TColorDialogOption { cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor };
using TColorDialogOptions = TSet<TColorDialogOption>;
enum TFindOption {
    frDown,
    frFindNext,
    frHideMatchCase,
    frHideWholeWord,
    frHideUpDown,
    frMatchCase,
    frDisableMatchCase,
    frDisableUpDown,
    frDisableWholeWord,
    frReplace,
    frReplaceAll,
    frWholeWord,
    frShowHelp,
};
using TFindOptions = TSet<TFindOption>;

class TCommonDialog : public TComponent {
    VCL_CLASS(TCommonDialog, TComponent)
    explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
    virtual bool Execute() { return false; }
    bool Ctl3D = true;
    int32_t HelpContext = 0;
    AnsiString Title;
    TNotifyEvent OnClose;
    TNotifyEvent OnShow;
};

class TOpenDialog : public TCommonDialog {
    VCL_CLASS(TOpenDialog, TCommonDialog)
    explicit TOpenDialog(TComponent* AOwner);
    ~TOpenDialog() override;
    TStrings* Files() const { return FFiles; }
    AnsiString DefaultExt;
    AnsiString FileName;
    AnsiString Filter;
    int32_t FilterIndex = 1;
    AnsiString InitialDir;
    TOpenOptions Options{ofHideReadOnly, ofEnableSizing};
    TNotifyEvent OnCanClose;
    TNotifyEvent OnFolderChange;
    TNotifyEvent OnSelectionChange;
    TNotifyEvent OnTypeChange;

private:
    TStrings* FFiles;
};

class TSaveDialog : public TOpenDialog {
    VCL_CLASS(TSaveDialog, TOpenDialog)
    explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}
};

class TOpenPictureDialog : public TOpenDialog {
    VCL_CLASS(TOpenPictureDialog, TOpenDialog)
    explicit TOpenPictureDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}
};

class TSavePictureDialog : public TOpenDialog {
    VCL_CLASS(TSavePictureDialog, TOpenDialog)
    explicit TSavePictureDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}
};

class TFontDialog : public TCommonDialog {
    VCL_CLASS(TFontDialog, TCommonDialog)
    explicit TFontDialog(TComponent* AOwner);
    ~TFontDialog() override;
    TFont* Font() const { return FFont; }
    void SetFont(TFont* v) { FFont->Assign(v); }
    int32_t MinFontSize = 0;
    int32_t MaxFontSize = 0;
    TFontDialogOptions Options{fdEffects};
    TNotifyEvent OnApply;

private:
    TFont* FFont;
};

class TColorDialog : public TCommonDialog {
    VCL_CLASS(TColorDialog, TCommonDialog)
    explicit TColorDialog(TComponent* AOwner);
    ~TColorDialog() override;
    TColor Color = clBlack;
    TStrings* CustomColors() const { return FCustomColors; }
    void SetCustomColors(TStrings* v) { FCustomColors->Assign(v); }
    TColorDialogOptions Options;

private:
    TStrings* FCustomColors;
};

class TFindDialog : public TCommonDialog {
    VCL_CLASS(TFindDialog, TCommonDialog)
    explicit TFindDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
    AnsiString FindText;
    TFindOptions Options{frDown};
    TNotifyEvent OnFind;
};

class TReplaceDialog : public TFindDialog {
    VCL_CLASS(TReplaceDialog, TFindDialog)
    explicit TReplaceDialog(TComponent* AOwner) : TFindDialog(AOwner) {}
    AnsiString ReplaceText;
    TNotifyEvent OnReplace;
};

void RegisterDialogs();

}  // namespace vcl

VCL_ENUM_INFO(vcl::TOpenOption, ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp,
              ofNoValidate, ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist,
              ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton,
              ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing,
              ofDontAddToRecent, ofForceShowHidden, ofViewDetail, ofAutoPreview)
VCL_ENUM_INFO(vcl::TFontDialogOption, fdAnsiOnly, fdTrueTypeOnly, fdEffects, fdFixedPitchOnly, fdForceFontExist,
              fdNoFaceSel, fdNoOEMFonts, fdNoSimulations, fdNoSizeSel, fdNoStyleSel, fdNoVectorFonts, fdShowHelp,
              fdWysiwyg, fdLimitSize, fdScalableOnly, fdApplyButton)
VCL_ENUM_INFO(vcl::TColorDialogOption, cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor)
VCL_ENUM_INFO(vcl::TFindOption, frDown, frFindNext, frHideMatchCase, frHideWholeWord, frHideUpDown, frMatchCase,
              frDisableMatchCase, frDisableUpDown, frDisableWholeWord, frReplace, frReplaceAll, frWholeWord,
              frShowHelp)
