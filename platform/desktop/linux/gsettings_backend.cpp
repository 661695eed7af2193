#include "platform/desktop/linux/gsettings_backend.h"

#include <dlfcn.h>
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

// GIO is loaded when a GSettings desktop is first asked for. Linked, it and what it
// brings (GObject, libmount, libblkid, libselinux) made every start about 1.1 MiB larger
// in resident memory, for a back end most sessions never use. GLib itself is loaded by
// Qt in any case.
struct TGio {
  decltype(&g_settings_schema_source_get_default) SchemaSourceGetDefault;
  decltype(&g_settings_schema_source_lookup) SchemaSourceLookup;
  decltype(&g_settings_schema_has_key) SchemaHasKey;
  decltype(&g_settings_schema_get_key) SchemaGetKey;
  decltype(&g_settings_schema_key_get_value_type) KeyGetValueType;
  decltype(&g_settings_schema_key_range_check) KeyRangeCheck;
  decltype(&g_settings_schema_key_unref) KeyUnref;
  decltype(&g_settings_schema_unref) SchemaUnref;
  decltype(&g_settings_new_full) NewFull;
  decltype(&g_settings_delay) Delay;
  decltype(&g_settings_is_writable) IsWritable;
  decltype(&g_settings_set_string) SetString;
  decltype(&g_settings_apply) Apply;
  decltype(&g_settings_sync) Sync;
  decltype(&g_object_unref) ObjectUnref;
};

template <typename Function>
bool Resolve(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  return function != nullptr;
}

// Null when the library or one of its functions is missing; loaded once, never unloaded.
const TGio* Gio() {
  static const std::unique_ptr<const TGio> gio = []() -> std::unique_ptr<const TGio> {
    void* library = dlopen("libgio-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) return nullptr;
    auto loaded = std::make_unique<TGio>();
    const bool complete = Resolve(library, "g_settings_schema_source_get_default", loaded->SchemaSourceGetDefault) &&
                          Resolve(library, "g_settings_schema_source_lookup", loaded->SchemaSourceLookup) &&
                          Resolve(library, "g_settings_schema_has_key", loaded->SchemaHasKey) &&
                          Resolve(library, "g_settings_schema_get_key", loaded->SchemaGetKey) &&
                          Resolve(library, "g_settings_schema_key_get_value_type", loaded->KeyGetValueType) &&
                          Resolve(library, "g_settings_schema_key_range_check", loaded->KeyRangeCheck) &&
                          Resolve(library, "g_settings_schema_key_unref", loaded->KeyUnref) &&
                          Resolve(library, "g_settings_schema_unref", loaded->SchemaUnref) &&
                          Resolve(library, "g_settings_new_full", loaded->NewFull) &&
                          Resolve(library, "g_settings_delay", loaded->Delay) &&
                          Resolve(library, "g_settings_is_writable", loaded->IsWritable) &&
                          Resolve(library, "g_settings_set_string", loaded->SetString) &&
                          Resolve(library, "g_settings_apply", loaded->Apply) &&
                          Resolve(library, "g_settings_sync", loaded->Sync) &&
                          Resolve(library, "g_object_unref", loaded->ObjectUnref);
    return complete ? std::move(loaded) : nullptr;
  }();
  return gio.get();
}

struct TSchemaUnref {
  void operator()(GSettingsSchema* schema) const { Gio()->SchemaUnref(schema); }
};
using TSchemaPtr = std::unique_ptr<GSettingsSchema, TSchemaUnref>;
struct TObjectUnref {
  void operator()(gpointer object) const { Gio()->ObjectUnref(object); }
};
struct TFree {
  void operator()(gpointer memory) const { g_free(memory); }
};

// GSettings aborts on a schema that is not installed, so it is looked up first. Without
// GIO no schema is found.
TSchemaPtr LookUpSchema(const TSchemaKeys& keys) {
  const TGio* gio = Gio();
  if (gio == nullptr) return nullptr;
  GSettingsSchemaSource* source = gio->SchemaSourceGetDefault();
  if (source == nullptr) return nullptr;
  return TSchemaPtr(gio->SchemaSourceLookup(source, keys.SchemaId, TRUE));
}

// The key exists, holds a string and accepts value (enumerations check the range).
bool KeyTakes(GSettingsSchema* schema, const char* name, const char* value) {
  const TGio& gio = *Gio();
  if (!gio.SchemaHasKey(schema, name)) return false;
  GSettingsSchemaKey* key = gio.SchemaGetKey(schema, name);
  GVariant* variant = g_variant_ref_sink(g_variant_new_string(value));
  const bool takes = g_variant_type_equal(gio.KeyGetValueType(key), G_VARIANT_TYPE_STRING) &&
                     gio.KeyRangeCheck(key, variant);
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

  const TGio& gio = *Gio();
  std::unique_ptr<GSettings, TObjectUnref> settings(gio.NewFull(schema.get(), nullptr, nullptr));
  // Delayed, so the desktop sees the picture and its placement change together.
  gio.Delay(settings.get());
  bool written = gio.IsWritable(settings.get(), keys.PictureKey) && gio.IsWritable(settings.get(), kOptionsKey) &&
                 gio.SetString(settings.get(), keys.PictureKey, picture.c_str()) &&
                 gio.SetString(settings.get(), kOptionsKey, option);
  if (withDark) written = written && gio.SetString(settings.get(), keys.DarkPictureKey, picture.c_str());
  if (written) gio.Apply(settings.get());
  // Written to the store before the program goes on (or exits, for the tool).
  gio.Sync();
  if (!written) ThrowReloadError(Format(msg::kSettingsNotWritable, keys.SchemaId));
}

}  // namespace tapestro::desktop
