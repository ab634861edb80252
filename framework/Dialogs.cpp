#include "framework/Dialogs.h"

namespace vcl {

VCL_IMPLEMENT_CLASS(TCommonDialog)
void TCommonDialog::DescribeClass(ClassBuilder<TCommonDialog>&) {}

template <class C>
static void PublishCommon(ClassBuilder<C>& c) {
    c.Property("Ctl3D", &TCommonDialog::Ctl3D).Default(true);
    c.Property("HelpContext", &TCommonDialog::HelpContext).Default(0);
    c.Property("OnClose", &TCommonDialog::OnClose);
    c.Property("OnShow", &TCommonDialog::OnShow);
}

VCL_IMPLEMENT_CLASS(TOpenDialog)
void TOpenDialog::DescribeClass(ClassBuilder<TOpenDialog>& c) {
    PublishCommon(c);
    c.Property("DefaultExt", &TOpenDialog::DefaultExt);
    c.Property("FileName", &TOpenDialog::FileName);
    c.Property("Filter", &TOpenDialog::Filter);
    c.Property("FilterIndex", &TOpenDialog::FilterIndex).Default(1);
    c.Property("InitialDir", &TOpenDialog::InitialDir);
    c.Property("Options", &TOpenDialog::Options).Default(TOpenOptions{ofHideReadOnly, ofEnableSizing});
    c.Property("Title", &TOpenDialog::Title);
    c.Property("OnCanClose", &TOpenDialog::OnCanClose);
    c.Property("OnFolderChange", &TOpenDialog::OnFolderChange);
    c.Property("OnSelectionChange", &TOpenDialog::OnSelectionChange);
    c.Property("OnTypeChange", &TOpenDialog::OnTypeChange);
}

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFiles(new TStringList()) {}
TOpenDialog::~TOpenDialog() { FFiles->Free(); }

VCL_IMPLEMENT_CLASS(TSaveDialog)
void TSaveDialog::DescribeClass(ClassBuilder<TSaveDialog>&) {}
VCL_IMPLEMENT_CLASS(TOpenPictureDialog)
void TOpenPictureDialog::DescribeClass(ClassBuilder<TOpenPictureDialog>&) {}
VCL_IMPLEMENT_CLASS(TSavePictureDialog)
void TSavePictureDialog::DescribeClass(ClassBuilder<TSavePictureDialog>&) {}

VCL_IMPLEMENT_CLASS(TFontDialog)
void TFontDialog::DescribeClass(ClassBuilder<TFontDialog>& c) {
    PublishCommon(c);
    c.Property("Font", &TFontDialog::Font, &TFontDialog::SetFont);
    c.Property("MaxFontSize", &TFontDialog::MaxFontSize).Default(0);
    c.Property("MinFontSize", &TFontDialog::MinFontSize).Default(0);
    c.Property("Options", &TFontDialog::Options).Default(TFontDialogOptions{fdEffects});
    c.Property("Title", &TFontDialog::Title);
    c.Property("OnApply", &TFontDialog::OnApply);
}

TFontDialog::TFontDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFont(new TFont()) {}
TFontDialog::~TFontDialog() { FFont->Free(); }

VCL_IMPLEMENT_CLASS(TColorDialog)
void TColorDialog::DescribeClass(ClassBuilder<TColorDialog>& c) {
    PublishCommon(c);
    c.Property("Color", &TColorDialog::Color).Default(clBlack);
    c.Property("CustomColors", &TColorDialog::CustomColors, &TColorDialog::SetCustomColors);
    c.Property("Options", &TColorDialog::Options).Default(TColorDialogOptions{});
    c.Property("Title", &TColorDialog::Title);
}

TColorDialog::TColorDialog(TComponent* AOwner) : TCommonDialog(AOwner), FCustomColors(new TStringList()) {}
TColorDialog::~TColorDialog() { FCustomColors->Free(); }

VCL_IMPLEMENT_CLASS(TFindDialog)
void TFindDialog::DescribeClass(ClassBuilder<TFindDialog>& c) {
    PublishCommon(c);
    c.Property("FindText", &TFindDialog::FindText);
    c.Property("Options", &TFindDialog::Options).Default(TFindOptions{frDown});
    c.Property("Title", &TFindDialog::Title);
    c.Property("OnFind", &TFindDialog::OnFind);
}

VCL_IMPLEMENT_CLASS(TReplaceDialog)
void TReplaceDialog::DescribeClass(ClassBuilder<TReplaceDialog>& c) {
    c.Property("ReplaceText", &TReplaceDialog::ReplaceText);
    c.Property("OnReplace", &TReplaceDialog::OnReplace);
}

void RegisterDialogs() {
    RegisterClasses({TOpenDialog::StaticClass(), TSaveDialog::StaticClass(), TOpenPictureDialog::StaticClass(),
                     TSavePictureDialog::StaticClass(), TFontDialog::StaticClass(), TColorDialog::StaticClass(),
                     TFindDialog::StaticClass(), TReplaceDialog::StaticClass()});
}

}  // namespace vcl
