#pragma once
// GIO, loaded when first needed instead of linked. Linked, it and what it brings
// (GObject, libmount, libblkid, libselinux) are mapped and relocated at every start,
// about 1.1 MiB resident, while most sessions need neither the GSettings desktops nor
// the folder tree's volumes until the window is opened. GLib itself stays linked: the
// toolkit loads it in any case. GIO's headers give the functions' types only. They
// clash with Qt's keywords: include this only in source files that include no Qt.
#include <gio/gio.h>
#include <gio/gunixmounts.h>

#include <memory>

namespace tapestro {

// The functions the program calls, all resolved.
struct TGioLibrary {
  // The desktops' settings (platform/desktop/linux/gsettings_backend.cpp).
  decltype(&g_settings_schema_source_get_default) SchemaSourceGetDefault;
  decltype(&g_settings_schema_source_lookup) SchemaSourceLookup;
  decltype(&g_settings_schema_has_key) SchemaHasKey;
  decltype(&g_settings_schema_get_key) SchemaGetKey;
  decltype(&g_settings_schema_key_get_value_type) KeyGetValueType;
  decltype(&g_settings_schema_key_range_check) KeyRangeCheck;
  decltype(&g_settings_schema_key_unref) KeyUnref;
  decltype(&g_settings_schema_unref) SchemaUnref;
  decltype(&g_settings_new_full) SettingsNewFull;
  decltype(&g_settings_delay) SettingsDelay;
  decltype(&g_settings_is_writable) SettingsIsWritable;
  decltype(&g_settings_set_string) SettingsSetString;
  decltype(&g_settings_apply) SettingsApply;
  decltype(&g_settings_sync) SettingsSync;
  // The mounted volumes and the mount table's monitor (platform/linux/gio_mounts.cpp).
  decltype(&g_unix_mounts_get) UnixMountsGet;
  decltype(&g_unix_mount_free) UnixMountFree;
  decltype(&g_unix_mount_get_mount_path) UnixMountGetMountPath;
  decltype(&g_unix_mount_guess_should_display) UnixMountGuessShouldDisplay;
  decltype(&g_unix_mount_monitor_get) UnixMountMonitorGet;
  // GObject's, reached through GIO, which depends on it.
  decltype(&g_object_unref) ObjectUnref;
  decltype(&g_signal_connect_data) SignalConnectData;
  decltype(&g_signal_handler_disconnect) SignalHandlerDisconnect;
};

// GIO's table, loaded by the first call from any thread; null when the library or one
// of the functions is missing, and then at every call. The library is never unloaded:
// the types it registers with GObject cannot be.
const TGioLibrary* GioLibrary();

// Loads the library soname and resolves the table in it; null when either fails.
std::unique_ptr<const TGioLibrary> LoadGioLibrary(const char* soname);

}  // namespace tapestro
