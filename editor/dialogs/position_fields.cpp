#include "dialogs/position_fields.h"

#include <cstdint>
#include <string>

#include "base/cp932_text.h"
#include "dialogs/position_dialog_ids.h"
#include "dialogs/text_format.h"
#include "document/parse_decimal.h"

namespace morvel::dialogs {

namespace {

constexpr int kAmbient[4] = {IDC_POSITION_AMBIENT_R, IDC_POSITION_AMBIENT_G, IDC_POSITION_AMBIENT_B,
                             IDC_POSITION_AMBIENT_A};
constexpr int kDiffuse[4] = {IDC_POSITION_DIFFUSE_R, IDC_POSITION_DIFFUSE_G, IDC_POSITION_DIFFUSE_B,
                             IDC_POSITION_DIFFUSE_A};
constexpr int kScale[3] = {IDC_POSITION_SCALE_X, IDC_POSITION_SCALE_Y, IDC_POSITION_SCALE_Z};
constexpr int kTranslation[3] = {IDC_POSITION_TRANSLATION_X, IDC_POSITION_TRANSLATION_Y,
                                 IDC_POSITION_TRANSLATION_Z};
constexpr int kRotation[3] = {IDC_POSITION_ROTATION_X, IDC_POSITION_ROTATION_Y,
                              IDC_POSITION_ROTATION_Z};

void ShowDouble(app::DialogView &view, int id, double value) {
    view.SetText(id, Format("%f", value));
}

void ShowRgba(app::DialogView &view, const int (&ids)[4], const MvlRgbaF64 &c) {
    ShowDouble(view, ids[0], c.r);
    ShowDouble(view, ids[1], c.g);
    ShowDouble(view, ids[2], c.b);
    ShowDouble(view, ids[3], c.a);
}

void ShowVector(app::DialogView &view, const int (&ids)[3], const MvlVector3F64 &v) {
    ShowDouble(view, ids[0], v.x);
    ShowDouble(view, ids[1], v.y);
    ShowDouble(view, ids[2], v.z);
}

void ShowRotation(app::DialogView &view, const MvlVector3I16 &r) {
    view.SetText(kRotation[0], Format("%d", r.x));
    view.SetText(kRotation[1], Format("%d", r.y));
    view.SetText(kRotation[2], Format("%d", r.z));
}

double ReadDouble(app::DialogView &view, int id) {
    const std::string text = view.GetText(id);
    return document::ParseDecimal(
        std::string_view(text).substr(0, base::Cp932PrefixLength(text, kValueFieldMaxBytes)));
}

// The field's integer kept as its low 16 bits, as a whole-degree field holds it.
int16_t ReadRotation(app::DialogView &view, int id) {
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(view.GetInt(id))));
}

}  // namespace

void ShowPositionValues(app::DialogView &view, const PositionEntry &position) {
    ShowRgba(view, kAmbient, position.ambient);
    ShowRgba(view, kDiffuse, position.diffuse);
    ShowVector(view, kScale, position.scale);
    ShowVector(view, kTranslation, position.translation);
    ShowRotation(view, position.rotation);
}

void ShowInitialAmbient(app::DialogView &view, const MotionFileHeader &header) {
    ShowRgba(view, kAmbient, header.initialAmbient);
}

void ShowInitialDiffuse(app::DialogView &view, const MotionFileHeader &header) {
    ShowRgba(view, kDiffuse, header.initialDiffuse);
}

void ShowInitialScale(app::DialogView &view, const MotionFileHeader &header) {
    ShowVector(view, kScale, header.initialScale);
}

void ShowInitialValues(app::DialogView &view, const MotionFileHeader &header) {
    ShowInitialAmbient(view, header);
    ShowInitialDiffuse(view, header);
    ShowInitialScale(view, header);
    ShowVector(view, kTranslation, MvlVector3F64{0.0, 0.0, 0.0});
    ShowRotation(view, MvlVector3I16{0, 0, 0});
}

PositionEntry ReadPositionValues(app::DialogView &view) {
    PositionEntry p{};
    p.ambient = {ReadDouble(view, kAmbient[0]), ReadDouble(view, kAmbient[1]),
                 ReadDouble(view, kAmbient[2]), ReadDouble(view, kAmbient[3])};
    p.diffuse = {ReadDouble(view, kDiffuse[0]), ReadDouble(view, kDiffuse[1]),
                 ReadDouble(view, kDiffuse[2]), ReadDouble(view, kDiffuse[3])};
    p.scale = {ReadDouble(view, kScale[0]), ReadDouble(view, kScale[1]),
               ReadDouble(view, kScale[2])};
    p.translation = {ReadDouble(view, kTranslation[0]), ReadDouble(view, kTranslation[1]),
                     ReadDouble(view, kTranslation[2])};
    p.rotation = {ReadRotation(view, kRotation[0]), ReadRotation(view, kRotation[1]),
                  ReadRotation(view, kRotation[2])};
    return p;
}

}  // namespace morvel::dialogs
