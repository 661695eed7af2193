#include "platform/desktop/linux/gsettings_backend.h"

#include <memory>

#include "base/text.h"
#include "platform/desktop/desktop_messages.h"
#include "platform/linux/gio_library.h"

namespace tapestro::desktop {

namespace {

constexpr char kOptionsKey[] = "picture-options";

struct TSchemaKeys {
  const char* Name;
  const char* SchemaId;
  const char* PictureKey;
  bool PictureIsUri;
  const char* DarkPictureKey;  // written too when the installed schema has it
};

const TSchemaKeys& KeysOf(TGSettingsDesktop desktop) {
  static const TSchemaKeys gnome{"gnome", "org.gnome.desktop.background", "picture-uri", true, "picture-uri-dark"};
  static const TSchemaKeys cinnamon{"cinnamon", "org.cinnamon.desktop.background", "picture-uri", true,
                                    "picture-uri-dark"};
  static const TSchemaKeys mate{"mate", "org.mate.background", "picture-filename", false, nullptr};
  switch (desktop) {
    case TGSettingsDesktop::Cinnamon: return cinnamon;
    case TGSettingsDesktop::Mate: return mate;
    case TGSettingsDesktop::Gnome: break;
  }
  return gnome;
}

// Only made once the library is loaded.
struct TSchemaUnref {
  void operator()(GSettingsSchema* schema) const { GioLibrary()->SchemaUnref(schema); }
};
using TSchemaPtr = std::unique_ptr<GSettingsSchema, TSchemaUnref>;
struct TObjectUnref {
  void operator()(gpointer object) const { GioLibrary()->ObjectUnref(object); }
};
struct TFree {
  void operator()(gpointer memory) const { g_free(memory); }
};

// GSettings aborts on a schema that is not installed, so it is looked up first.
TSchemaPtr LookUpSchema(const TGioLibrary& gio, const TSchemaKeys& keys) {
  GSettingsSchemaSource* source = gio.SchemaSourceGetDefault();
  if (source == nullptr) return nullptr;
  return TSchemaPtr(gio.SchemaSourceLookup(source, keys.SchemaId, TRUE));
}

// The key exists, holds a string and accepts value (enumerations check the range).
bool KeyTakes(const TGioLibrary& gio, GSettingsSchema* schema, const char* name, const char* value) {
  if (!gio.SchemaHasKey(schema, name)) return false;
  GSettingsSchemaKey* key = gio.SchemaGetKey(schema, name);
  GVariant* variant = g_variant_ref_sink(g_variant_new_string(value));
  const bool takes =
      g_variant_type_equal(gio.KeyGetValueType(key), G_VARIANT_TYPE_STRING) && gio.KeyRangeCheck(key, variant);
  g_variant_unref(variant);
  gio.KeyUnref(key);
  return takes;
}

// What the picture key holds: a file:// URI, or the plain path, which GSettings can
// store only when it is valid UTF-8.
std::string PictureValue(const TSchemaKeys& keys, const std::string& file) {
  if (keys.PictureIsUri) {
    std::unique_ptr<gchar, TFree> uri(g_filename_to_uri(file.c_str(), nullptr, nullptr));
    if (uri) return uri.get();
  } else if (g_utf8_validate(file.c_str(), static_cast<gssize>(file.size()), nullptr)) {
    return file;
  }
  ThrowReloadError(Format(msg::kNameNotStorable, file));
}

}  // namespace

const char* GSettingsPictureOption(TWallpaperLayout layout) {
  switch (layout) {
    case TWallpaperLayout::Tile: return "wallpaper";
    case TWallpaperLayout::Stretch: return "stretched";
    case TWallpaperLayout::Fill: return "zoom";
    case TWallpaperLayout::Fit: return "scaled";
    case TWallpaperLayout::Center:
    case TWallpaperLayout::Origin: break;
  }
  return "centered";
}

bool GSettingsSchemaInstalled(TGSettingsDesktop desktop) {
  const TGioLibrary* gio = GioLibrary();
  if (gio == nullptr) return false;
  const TSchemaKeys& keys = KeysOf(desktop);
  const TSchemaPtr schema = LookUpSchema(*gio, keys);
  return schema && KeyTakes(*gio, schema.get(), keys.PictureKey, "") &&
         KeyTakes(*gio, schema.get(), kOptionsKey, GSettingsPictureOption(TWallpaperLayout::Center));
}

const char* GSettingsUnavailableReason() {
  return GioLibrary() == nullptr ? msg::kGioMissing : "its settings schema is not installed";
}

std::string TGSettingsDesktopBackend::Name() const { return KeysOf(desktop_).Name; }

void TGSettingsDesktopBackend::Apply(const TWallpaperRequest& request) {
  const TGioLibrary* loaded = GioLibrary();
  if (loaded == nullptr) ThrowReloadError(msg::kGioMissing);
  const TGioLibrary& gio = *loaded;
  const TSchemaKeys& keys = KeysOf(desktop_);
  const TSchemaPtr schema = LookUpSchema(gio, keys);
  const std::string picture = PictureValue(keys, request.File);
  const char* option = GSettingsPictureOption(request.Layout);
  if (!schema || !KeyTakes(gio, schema.get(), keys.PictureKey, picture.c_str()) ||
      !KeyTakes(gio, schema.get(), kOptionsKey, option)) {
    ThrowReloadError(Format(msg::kSchemaMissing, keys.SchemaId, keys.PictureKey));
  }
  const bool withDark =
      keys.DarkPictureKey != nullptr && KeyTakes(gio, schema.get(), keys.DarkPictureKey, picture.c_str());

  std::unique_ptr<GSettings, TObjectUnref> settings(gio.SettingsNewFull(schema.get(), nullptr, nullptr));
  // Delayed, so the desktop sees the picture and its placement change together.
  gio.SettingsDelay(settings.get());
  bool written = gio.SettingsIsWritable(settings.get(), keys.PictureKey) &&
                 gio.SettingsIsWritable(settings.get(), kOptionsKey) &&
                 gio.SettingsSetString(settings.get(), keys.PictureKey, picture.c_str()) &&
                 gio.SettingsSetString(settings.get(), kOptionsKey, option);
  if (withDark) written = written && gio.SettingsSetString(settings.get(), keys.DarkPictureKey, picture.c_str());
  if (written) gio.SettingsApply(settings.get());
  // Written to the store before the program goes on (or exits, for the tool).
  gio.SettingsSync();
  if (!written) ThrowReloadError(Format(msg::kSettingsNotWritable, keys.SchemaId));
}

}  // namespace tapestro::desktop
