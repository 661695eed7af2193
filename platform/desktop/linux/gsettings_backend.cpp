#include "platform/desktop/linux/gsettings_backend.h"

#include <gio/gio.h>

#include <memory>

#include "base/text.h"
#include "platform/desktop/desktop_messages.h"

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

struct TSchemaUnref {
  void operator()(GSettingsSchema* schema) const { g_settings_schema_unref(schema); }
};
using TSchemaPtr = std::unique_ptr<GSettingsSchema, TSchemaUnref>;
struct TObjectUnref {
  void operator()(gpointer object) const { g_object_unref(object); }
};
struct TFree {
  void operator()(gpointer memory) const { g_free(memory); }
};

// GSettings aborts on a schema that is not installed, so it is looked up first.
TSchemaPtr LookUpSchema(const TSchemaKeys& keys) {
  GSettingsSchemaSource* source = g_settings_schema_source_get_default();
  if (source == nullptr) return nullptr;
  return TSchemaPtr(g_settings_schema_source_lookup(source, keys.SchemaId, TRUE));
}

// The key exists, holds a string and accepts value (enumerations check the range).
bool KeyTakes(GSettingsSchema* schema, const char* name, const char* value) {
  if (!g_settings_schema_has_key(schema, name)) return false;
  GSettingsSchemaKey* key = g_settings_schema_get_key(schema, name);
  GVariant* variant = g_variant_ref_sink(g_variant_new_string(value));
  const bool takes = g_variant_type_equal(g_settings_schema_key_get_value_type(key), G_VARIANT_TYPE_STRING) &&
                     g_settings_schema_key_range_check(key, variant);
  g_variant_unref(variant);
  g_settings_schema_key_unref(key);
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
  const TSchemaKeys& keys = KeysOf(desktop);
  const TSchemaPtr schema = LookUpSchema(keys);
  return schema && KeyTakes(schema.get(), keys.PictureKey, "") &&
         KeyTakes(schema.get(), kOptionsKey, GSettingsPictureOption(TWallpaperLayout::Center));
}

std::string TGSettingsDesktopBackend::Name() const { return KeysOf(desktop_).Name; }

void TGSettingsDesktopBackend::Apply(const TWallpaperRequest& request) {
  const TSchemaKeys& keys = KeysOf(desktop_);
  const TSchemaPtr schema = LookUpSchema(keys);
  const std::string picture = PictureValue(keys, request.File);
  const char* option = GSettingsPictureOption(request.Layout);
  if (!schema || !KeyTakes(schema.get(), keys.PictureKey, picture.c_str()) ||
      !KeyTakes(schema.get(), kOptionsKey, option)) {
    ThrowReloadError(Format(msg::kSchemaMissing, keys.SchemaId, keys.PictureKey));
  }
  const bool withDark = keys.DarkPictureKey != nullptr && KeyTakes(schema.get(), keys.DarkPictureKey, picture.c_str());

  std::unique_ptr<GSettings, TObjectUnref> settings(g_settings_new_full(schema.get(), nullptr, nullptr));
  // Delayed, so the desktop sees the picture and its placement change together.
  g_settings_delay(settings.get());
  bool written = g_settings_is_writable(settings.get(), keys.PictureKey) &&
                 g_settings_is_writable(settings.get(), kOptionsKey) &&
                 g_settings_set_string(settings.get(), keys.PictureKey, picture.c_str()) &&
                 g_settings_set_string(settings.get(), kOptionsKey, option);
  if (withDark) written = written && g_settings_set_string(settings.get(), keys.DarkPictureKey, picture.c_str());
  if (written) g_settings_apply(settings.get());
  // Written to the store before the program goes on (or exits, for the tool).
  g_settings_sync();
  if (!written) ThrowReloadError(Format(msg::kSettingsNotWritable, keys.SchemaId));
}

}  // namespace tapestro::desktop
