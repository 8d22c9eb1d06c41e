#pragma once
// Music leaving the program as a picture for a word processor: the current page,
// or the area of a block box on it, drawn as it prints (three pixels per page
// unit) and written as a monochrome PCX or a two-colour Windows bitmap. Every
// picture file goes through writeFileSafely: a failed or aborted write leaves no
// file behind and the file that was there as it was.

#include "layout/blocks.h"
#include "model/score.h"

#include <QDateTime>
#include <QImage>
#include <QPoint>

#include <string>

namespace qv {

class Ui;

enum class PictureFormat { Pcx, Bmp };

inline const char* const NoThicknessMessage = "The box to be output has no thickness. File not saved.";
inline const char* const NotEnoughMemoryMessage = "Not enough memory to complete operation.";
inline const char* const UnableToSavePictureMessage = "Unable to save output picture file.";
inline const char* const PcxSavedMessage = "PCX file has been saved";
inline const char* const FileNotCreatedMessage = "File was not created.";

// The page a picture is taken from.
struct PictureSource {
    Score& score;
    int page = 1;
    std::string filePath; // the score's file, for the header and footer fields
    QDateTime clock;      // the time those fields show; now when invalid
};

// `name` with its extension made ".PCX" or ".BMP" by the format.
std::string pictureFileName(const std::string& name, PictureFormat format);

enum class PictureWrite { Written, Aborted, Failed };

// Writes `image` as the format says, ink black and paper white: a PCX under its
// progress window (which may abort it), or a one-bit BMP.
PictureWrite writePictureFile(const std::string& path, const QImage& image, PictureFormat format, Ui& ui);

// The part of `printImage` under `box` (page units of the music area, whose corner
// lies at `origin` on the print image), white where the box reaches beyond the
// image; a null image when it cannot be made.
QImage boxPicture(const QImage& printImage, QPoint origin, const BlockBox& box);

// "&PCX Export" of a marked block: the area between two opposite corners (page
// units, either way round) of the source page, into `fileName` with the format's
// extension. Reports every failure; true when the file was written.
bool OutputBox(const PictureSource& source, const std::string& fileName, PictureFormat format, QPoint corner1,
               QPoint corner2, Ui& ui);

// "PCX &Output (current page)...": the source page inside its margins as a PCX
// file, reported with "PCX file has been saved" or "File was not created.".
bool OutputCurrentPage(const PictureSource& source, const std::string& fileName, Ui& ui);

} // namespace qv
