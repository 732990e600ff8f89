// Content placed on the clipboard from the Linux side with xclip reaches
// the pane through Wine's clipboard bridge.
#include "ClipboardViewerFixture.h"

#include "support/UnixCommand.h"
#include "toolkit/system/ComHandles.h"

#include <wincodec.h>

#include <fstream>

using namespace testing_support;

namespace {

// A 24-bit bottom-up BMP file of one colour (blue, green, red bytes).
std::string bmpFile(int width, int height, unsigned char blue, unsigned char green, unsigned char red)
{
    const int rowBytes = (width * 3 + 3) & ~3;
    const unsigned pixelBytes = static_cast<unsigned>(rowBytes * height);
    std::string file;
    const auto word = [&file](unsigned v) { file += static_cast<char>(v & 0xFF), file += static_cast<char>(v >> 8 & 0xFF); };
    const auto dword = [&word](unsigned v) { word(v & 0xFFFF), word(v >> 16); };
    file += "BM";
    dword(14 + 40 + pixelBytes), dword(0), dword(14 + 40);
    dword(40), dword(static_cast<unsigned>(width)), dword(static_cast<unsigned>(height)), word(1), word(24);
    dword(0), dword(pixelBytes), dword(2835), dword(2835), dword(0), dword(0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) file += static_cast<char>(blue), file += static_cast<char>(green), file += static_cast<char>(red);
        file.append(static_cast<std::size_t>(rowBytes - width * 3), '\0');
    }
    return file;
}

// Writes a PNG file of one colour with the system's imaging component.
void writePng(const std::string& path, int width, int height, DWORD bgra)
{
    using toolkit::ComPtr;
    ComPtr<IWICImagingFactory> factory;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_IWICImagingFactory, factory.putVoid()));
    ComPtr<IWICStream> stream;
    ASSERT_HRESULT_SUCCEEDED(factory->CreateStream(stream.put()));
    const std::wstring widePath(path.begin(), path.end());
    ASSERT_HRESULT_SUCCEEDED(stream->InitializeFromFilename(widePath.c_str(), GENERIC_WRITE));
    ComPtr<IWICBitmapEncoder> encoder;
    ASSERT_HRESULT_SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put()));
    ASSERT_HRESULT_SUCCEEDED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache));
    ComPtr<IWICBitmapFrameEncode> frame;
    ASSERT_HRESULT_SUCCEEDED(encoder->CreateNewFrame(frame.put(), nullptr));
    ASSERT_HRESULT_SUCCEEDED(frame->Initialize(nullptr));
    ASSERT_HRESULT_SUCCEEDED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height)));
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    ASSERT_HRESULT_SUCCEEDED(frame->SetPixelFormat(&format));
    ASSERT_TRUE(IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA));
    std::vector<DWORD> pixels(static_cast<std::size_t>(width * height), bgra);
    ASSERT_HRESULT_SUCCEEDED(frame->WritePixels(static_cast<UINT>(height), static_cast<UINT>(width * 4),
                                                static_cast<UINT>(pixels.size() * 4),
                                                reinterpret_cast<BYTE*>(pixels.data())));
    ASSERT_HRESULT_SUCCEEDED(frame->Commit());
    ASSERT_HRESULT_SUCCEEDED(encoder->Commit());
}

} // namespace

class ClipboardFromX11Test : public ClipboardViewerTest {
protected:
    void SetUp() override
    {
        if (!hasUnixCommand("xclip"))
            GTEST_SKIP() << "no X11 side with xclip here";
        ClipboardViewerTest::SetUp();
    }
    // Starts the command, then waits for the bridge to bring the X11
    // selection over and the pane to show it.
    bool arrives(const std::string& command, const std::function<bool()>& shown)
    {
        const int before = changes;
        if (!startUnixCommand(command)) return false;
        return pumpUntil([&] { return changes > before && shown(); }, 180000);
    }
};

TEST_F(ClipboardFromX11Test, TextCopiedOnTheLinuxSideShowsInTheMemo)
{
    ASSERT_TRUE(arrives("printf 'copied on X11' | xclip -selection clipboard",
                        [&] { return memo() && memoText() == L"copied on X11"; }));
}

TEST_F(ClipboardFromX11Test, ABmpImageCopiedOnTheLinuxSideShowsAsAnImage)
{
    const std::string path = unixTemporary("green.bmp");
    std::ofstream(windowsPath(path), std::ios::binary) << bmpFile(40, 30, 0, 255, 0);
    ASSERT_TRUE(arrives("xclip -selection clipboard -t image/bmp -i " + path, [&] { return image() != nullptr; }));
    EXPECT_EQ(image()->width(), 40);
    EXPECT_EQ(image()->height(), 30);
    EXPECT_EQ(pixelOf(image()->picture(), 20, 15), RGB(0, 255, 0));
    DeleteFileA(windowsPath(path).c_str());
}

TEST_F(ClipboardFromX11Test, APngImageCopiedOnTheLinuxSideShowsAsAnImage)
{
    // Browsers and screenshot tools offer PNG only; it arrives as the
    // registered "PNG" format, with no bitmap beside it.
    const std::string path = unixTemporary("blue.png");
    writePng(windowsPath(path), 30, 20, 0xFF0000FF);
    ASSERT_TRUE(arrives("xclip -selection clipboard -t image/png -i " + path,
                        [&] { return image() != nullptr || (memo() && memoText() == unknownFormatText); }));
    ASSERT_NE(image(), nullptr) << "the PNG picture was not read";
    EXPECT_EQ(image()->width(), 30);
    EXPECT_EQ(image()->height(), 20);
    EXPECT_EQ(pixelOf(image()->picture(), 15, 10), RGB(0, 0, 255));
    DeleteFileA(windowsPath(path).c_str());
}
