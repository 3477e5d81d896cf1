#!/usr/bin/python3
# A stand-in for the UDisks2 service, for tests on a private bus reached as
# the system bus (its address given). It exposes the object manager,
# block devices, file systems and drives described by a JSON scenario, under
# the real service's name, paths, interfaces, methods and error names, and
# logs every method call as a line "Method path option=value ...". It serves
# the calls the program makes: GetManagedObjects, Unmount, PowerOff, Eject.
#
# Usage: udisks2_standin.py LOG BUS_ADDRESS SCENARIO, the scenario as JSON text:
#   {"objects": {OBJECT_PATH: {INTERFACE: {PROPERTY: VALUE}}},
#    "errors": {"OBJECT_PATH METHOD": [ERROR_NAME, MESSAGE]},
#    "vanish": {"OBJECT_PATH METHOD": [OBJECT_PATH, ...]}}
# Block.Device and Filesystem.MountPoints are given as text and sent as
# NUL-terminated byte strings; Block.Drive as an object path.
# Prints "ready" once the name is owned.
#
# As the daemon does: Unmount takes off one mount point per call (the first
# listed); PowerOff and Eject refuse with DeviceBusy while a file system of
# the drive is mounted; a call on an object that has gone (see "vanish",
# applied once the named call is answered) fails with UnknownMethod; and its
# own error texts end in a newline.

import json
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

UD, UD_PATH = "org.freedesktop.UDisks2", "/org/freedesktop/UDisks2"
BLOCK, FS, DRIVE = UD + ".Block", UD + ".Filesystem", UD + ".Drive"


# Each property name is used by one interface only.
def typed(name, value):
    text = lambda v: dbus.ByteArray(v.encode() + b"\0")
    kinds = {"Device": text, "Drive": dbus.ObjectPath, "MountPoints": lambda v: dbus.Array(map(text, v), signature="ay")}
    return kinds.get(name, lambda v: v)(value)


def fail(name, message):
    raise dbus.DBusException(message + ("\n" if name.startswith(UD) else ""), name=name)


def logged(method, interface):
    handler = lambda self, options: self.call(method, interface, options)
    handler.__name__ = method
    return dbus.service.method(interface, in_signature="a{sv}")(handler)


device = lambda o: bytes(o[BLOCK]["Device"][:-1]).decode()


# The object manager at the service's root, and every object it lists.
class Object(dbus.service.Object):
    @dbus.service.method("org.freedesktop.DBus.ObjectManager", out_signature="a{oa{sa{sv}}}")
    def GetManagedObjects(self):
        return {dbus.ObjectPath(p): interfaces for p, interfaces in objects.items()}

    Unmount, PowerOff, Eject = logged("Unmount", FS), logged("PowerOff", DRIVE), logged("Eject", DRIVE)

    def call(self, method, interface, options):
        path = self.__dbus_object_path__
        shown = {k: str(bool(v)).lower() if isinstance(v, dbus.Boolean) else v for k, v in options.items()}
        with open(log, "a") as f:
            f.write(" ".join([method, path] + ["%s=%s" % kv for kv in sorted(shown.items())]) + "\n")
        key = "%s %s" % (path, method)
        try:
            this = objects.get(path, {})
            if interface not in this:
                fail("org.freedesktop.DBus.Error.UnknownMethod",
                     "No such interface \u201c%s\u201d on object at path %s" % (interface, path))
            busy = [device(o) for o in objects.values() if method != "Unmount"
                    and o.get(BLOCK, {}).get("Drive") == path and o.get(FS, {}).get("MountPoints")]
            if busy:
                fail(UD + ".Error.DeviceBusy", "Device %s is mounted" % busy[0])
            if key in scenario["errors"]:
                fail(*scenario["errors"][key])
            if method == "Unmount":
                if not this[FS]["MountPoints"]:
                    fail(UD + ".Error.NotMounted", "Device `%s' is not mounted" % device(this))
                this[FS]["MountPoints"] = dbus.Array(this[FS]["MountPoints"][1:], signature="ay")
        finally:
            for gone in scenario["vanish"].pop(key, []):
                objects.pop(gone, None)


log, scenario = sys.argv[1], json.loads(sys.argv[3])
bus = dbus.bus.BusConnection(sys.argv[2], mainloop=dbus.mainloop.glib.DBusGMainLoop())
objects = {path: {i: {n: typed(n, v) for n, v in props.items()} for i, props in interfaces.items()}
           for path, interfaces in scenario["objects"].items()}
served = [dbus.service.BusName(UD, bus, do_not_queue=True)] + [Object(bus, p) for p in [UD_PATH, *objects]]
print("ready", flush=True)
GLib.MainLoop().run()
