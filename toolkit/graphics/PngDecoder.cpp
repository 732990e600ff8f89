// PNG pictures through the system's imaging component (WIC).
#include "toolkit/graphics/Picture.h"
#include "toolkit/system/ComHandles.h"

#include <wincodec.h>

#include <cstdint>

namespace toolkit {

namespace {

// A stream over a copy of the data, for the decoder to read.
ComPtr<IStream> streamOver(const void* bytes, std::size_t size)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    if (!memory) throw InvalidGraphic("Invalid PNG picture");
    if (void* target = GlobalLock(memory)) {
        if (size) CopyMemory(target, bytes, size);
        GlobalUnlock(memory);
    }
    ComPtr<IStream> stream;
    // The stream frees the memory when it goes.
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, stream.put()))) {
        GlobalFree(memory);
        throw InvalidGraphic("Invalid PNG picture");
    }
    return stream;
}

void check(HRESULT result)
{
    if (FAILED(result)) throw InvalidGraphic("Invalid PNG picture");
}

} // namespace

BitmapHandle decodePng(const void* bytes, std::size_t size, int& width, int& height)
{
    if (!bytes || size == 0) throw InvalidGraphic("Invalid PNG picture");
    ComPtr<IWICImagingFactory> factory;
    check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                           factory.putVoid()));
    ComPtr<IStream> stream = streamOver(bytes, size);
    ComPtr<IWICBitmapDecoder> decoder;
    check(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.put()));
    ComPtr<IWICBitmapFrameDecode> frame;
    check(decoder->GetFrame(0, frame.put()));
    ComPtr<IWICFormatConverter> converter;
    check(factory->CreateFormatConverter(converter.put()));
    check(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                WICBitmapPaletteTypeCustom));
    UINT w = 0, h = 0;
    check(converter->GetSize(&w, &h));
    if (w == 0 || h == 0 || static_cast<std::uint64_t>(w) * h * 4 > (256u << 20)) throw InvalidGraphic("Invalid PNG picture");

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(w);
    info.bmiHeader.biHeight = -static_cast<LONG>(h);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    BitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) throw InvalidGraphic("Invalid PNG picture");
    check(converter->CopyPixels(nullptr, w * 4, w * h * 4, static_cast<BYTE*>(bits)));
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return bitmap;
}

} // namespace toolkit
