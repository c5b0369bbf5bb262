#include "FacePicture.h"
#include "PictureDecoding.h"

#include <FreeImage.h>
#include <cstdarg>
#include <dlfcn.h>
#include <mutex>

namespace {

void swallowFreeImageMessage(FREE_IMAGE_FORMAT, const char *) { }

using TiffHandler = void (*)(const char *, const char *, va_list);
using TiffHandlerSetter = TiffHandler (*)(TiffHandler);

void swallowTiffMessage(const char *, const char *, va_list) { }

// Debian's FreeImage uses the system libtiff, whose default handlers print
// every warning (even for sound files: FreeImage asks it about EXIF tags it
// does not know) to standard error, and FreeImage installs none of its own.
// The setters are looked up at run time in the libtiff FreeImage brought into
// the process, so the build needs no libtiff headers; a FreeImage with its own
// bundled libtiff routes those messages through FreeImage's output handler,
// which is silenced too.
struct TiffSetters {
    TiffHandlerSetter warning = nullptr;
    TiffHandlerSetter error = nullptr;
};

TiffSetters findTiffSetters()
{
    TiffSetters setters;
    void *scope = RTLD_DEFAULT;
    if (!dlsym(scope, "TIFFSetWarningHandler")) {
        for (const char *name : {"libtiff.so.6", "libtiff.so.5"}) {
            if (void *handle = dlopen(name, RTLD_LAZY | RTLD_NOLOAD)) {
                scope = handle;
                break;
            }
        }
    }
    setters.warning = reinterpret_cast<TiffHandlerSetter>(dlsym(scope, "TIFFSetWarningHandler"));
    setters.error = reinterpret_cast<TiffHandlerSetter>(dlsym(scope, "TIFFSetErrorHandler"));
    return setters;
}

std::mutex libraryMutex;
int liveLibraries = 0;

} // namespace

PictureLibrary::PictureLibrary()
{
    {
        const std::lock_guard<std::mutex> lock(libraryMutex);
        if (liveLibraries++ == 0)
            FreeImage_Initialise(FALSE);
    }
    quietPictureDecoders();
}

PictureLibrary::~PictureLibrary()
{
    const std::lock_guard<std::mutex> lock(libraryMutex);
    if (--liveLibraries == 0)
        FreeImage_DeInitialise();
}

void quietPictureDecoders()
{
    static const TiffSetters tiff = [] {
        FreeImage_SetOutputMessage(swallowFreeImageMessage);
        return findTiffSetters();
    }();
    if (tiff.warning)
        tiff.warning(swallowTiffMessage);
    if (tiff.error)
        tiff.error(swallowTiffMessage);
}

void ensurePictureLibrary()
{
    {
        const std::lock_guard<std::mutex> lock(libraryMutex);
        if (liveLibraries > 0)
            return;
    }
    // Pictures loaded outside any PictureLibrary's lifetime (a test, a tool)
    // keep one alive until the process ends.
    static const PictureLibrary processLibrary;
}
