#include "framework/ImgList.h"

#include "framework/Streaming.h"

namespace vcl {

VCL_IMPLEMENT_CLASS(TCustomImageList)
void TCustomImageList::DescribeClass(ClassBuilder<TCustomImageList>&) {}

void TCustomImageList::DefineProperties(TFiler& Filer) {
    TComponent::DefineProperties(Filer);
    Filer.DefineProperty(
        "Bitmap", [this](TReader& r) { FData = r.ReadBinary(); }, [this](TWriter& w) { w.WriteBinary(FData); },
        !FData.empty());
}

VCL_IMPLEMENT_CLASS(TImageList)
void TImageList::DescribeClass(ClassBuilder<TImageList>& c) {
    c.Property("AllocBy", &TImageList::AllocBy).Default(4);
    c.Property("BkColor", &TImageList::BkColor).Default(clNone);
    c.Property("BlendColor", &TImageList::BlendColor).Default(clNone);
    c.Property("ColorDepth", &TImageList::ColorDepth).Default(cdDeviceDependent);
    c.Property("DrawingStyle", &TImageList::DrawingStyle).Default(dsNormal);
    c.Property("Height", &TImageList::Height).Default(16);
    c.Property("ImageType", &TImageList::ImageType).Default(itImage);
    c.Property("Masked", &TImageList::Masked).Default(true);
    c.Property("Scaled", &TImageList::Scaled).Default(false);
    c.Property("ShareImages", &TImageList::ShareImages).Default(false);
    c.Property("Width", &TImageList::Width).Default(16);
    c.Property("OnChange", &TImageList::OnChange);
}

void RegisterImageLists() { RegisterClasses({TImageList::StaticClass()}); }

}  // namespace vcl
