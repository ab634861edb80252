// Image lists: the pictures of menu items, tool buttons and list views, kept
// in form files as their stored bitmap data.
#pragma once

#include <string>

#include "framework/Classes.h"
#include "framework/Graphics.h"

namespace vcl {

enum TColorDepth { cdDefault, cdDeviceDependent, cd4Bit, cd8Bit, cd16Bit, cd24Bit, cd32Bit };
enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType { itImage, itMask };

class TCustomImageList : public TComponent {
    VCL_CLASS(TCustomImageList, TComponent)
    explicit TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}
    int32_t Width = 16;
    int32_t Height = 16;
    int32_t AllocBy = 4;
    TColor BkColor = clNone;
    TColor BlendColor = clNone;
    TColorDepth ColorDepth = cdDeviceDependent;
    TDrawingStyle DrawingStyle = dsNormal;
    TImageType ImageType = itImage;
    bool Masked = true;
    bool ShareImages = false;
    bool Scaled = false;
    TNotifyEvent OnChange;
    // The images as the form file stores them (Delphi's or Lazarus' own
    // layout), written back unchanged.
    const std::string& Data() const { return FData; }
    void DefineProperties(TFiler& Filer) override;

private:
    std::string FData;
};

class TImageList : public TCustomImageList {
    VCL_CLASS(TImageList, TCustomImageList)
    explicit TImageList(TComponent* AOwner) : TCustomImageList(AOwner) {}
};

void RegisterImageLists();

}  // namespace vcl

VCL_ENUM_INFO(vcl::TColorDepth, cdDefault, cdDeviceDependent, cd4Bit, cd8Bit, cd16Bit, cd24Bit, cd32Bit)
VCL_ENUM_INFO(vcl::TDrawingStyle, dsFocus, dsSelected, dsNormal, dsTransparent)
VCL_ENUM_INFO(vcl::TImageType, itImage, itMask)
