#!/usr/bin/python3
"""Asks the session bus what a tray host sees of the program's item, and does
what a host does with it: the item's properties, its exported menu, a choice
in that menu, a press on the icon.

  sni.py host                     exit 0 when a tray host is registered
  sni.py wait-item [seconds]      first registered item's bus name, waiting
  sni.py count                    how many items are registered
  sni.py prop NAME                a property of the item
  sni.py layout                   the exported menu, one entry a line
  sni.py icons                    each entry's label, its icon-name and the
                                  width of its icon-data picture (0: none)
  sni.py click PATH               chooses an entry: labels joined by "/"
  sni.py activate|context X Y     a press on the icon as a host reports it;
                                  prints "ok" or the error name of the answer
  sni.py watcher DROPS            a watcher with a host, in the foreground, that
                                  forgets the first DROPS registrations (as
                                  GNOME's does when it fails to read an item);
                                  prints each registration it is sent and who
                                  asked for the list
"""
import sys
import time

import dbus

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"


def items(bus):
    try:
        w = bus.get_object(WATCHER, "/StatusNotifierWatcher")
        return [str(s) for s in w.Get(WATCHER, "RegisteredStatusNotifierItems",
                                      dbus_interface="org.freedesktop.DBus.Properties")]
    except dbus.DBusException:
        return []


def item(bus):
    found = items(bus)
    if not found:
        sys.exit("no item registered")
    name = found[0]
    # Watchers keep "name", "name/path" (KDE) or "name@/path" (GNOME).
    if "@/" in name:
        service, path = name.split("@", 1)
        return bus.get_object(service, path)
    if "/" in name:
        service, path = name.split("/", 1)
        return bus.get_object(service, "/" + path)
    return bus.get_object(name, "/StatusNotifierItem")


def prop(obj, name):
    return obj.Get(ITEM, name, dbus_interface="org.freedesktop.DBus.Properties")


def menu(bus):
    obj = item(bus)
    path = str(prop(obj, "Menu"))
    return bus.get_object(obj.bus_name, path)


def walk(node, depth, out):
    for child in node[2]:
        cid, props, _ = child
        label = str(props.get("label", ""))
        kind = str(props.get("type", "standard"))
        enabled = bool(props.get("enabled", True))
        # A picture sent along, or the name of a theme icon the host draws.
        icon = "icon" if len(props.get("icon-data", b"")) > 0 or str(props.get("icon-name", "")) else "-"
        sub = "submenu" if props.get("children-display", "") == "submenu" else "-"
        out.append((int(cid), depth, kind, label, enabled, icon, sub))
        walk(child, depth + 1, out)


def layout(bus):
    _, root = menu(bus).GetLayout(0, -1, dbus.Array([], signature="s"), dbus_interface=MENU)
    out = []
    walk(root, 0, out)
    return out


def watcher(drops):
    import dbus.service
    import dbus.mainloop.glib
    from gi.repository import GLib

    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()

    class Watcher(dbus.service.Object):
        def __init__(self):
            super().__init__(bus, "/StatusNotifierWatcher")
            self.items = []
            self.drops = drops

        @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
        def RegisterStatusNotifierItem(self, service, sender=None):
            name = service if not service.startswith("/") else sender + service
            print("registered", name, flush=True)
            if self.drops > 0:
                self.drops -= 1
                GLib.timeout_add(100, self.drop, name)
            elif name not in self.items:
                self.items.append(name)
                self.StatusNotifierItemRegistered(name)

        def drop(self, name):
            self.StatusNotifierItemUnregistered(name)
            return False

        @dbus.service.signal(WATCHER, signature="s")
        def StatusNotifierItemRegistered(self, name):
            pass

        @dbus.service.signal(WATCHER, signature="s")
        def StatusNotifierItemUnregistered(self, name):
            pass

        @dbus.service.method("org.freedesktop.DBus.Properties", in_signature="ss", out_signature="v",
                             sender_keyword="sender")
        def Get(self, interface, name, sender=None):
            if name == "RegisteredStatusNotifierItems":
                print("listed for", sender, flush=True)
            return {"RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
                    "IsStatusNotifierHostRegistered": True, "ProtocolVersion": 0}[name]

    w = Watcher()
    bus.request_name(WATCHER)
    GLib.MainLoop().run()


def main():
    cmd = sys.argv[1]
    if cmd == "watcher":
        watcher(int(sys.argv[2]))
        return
    bus = dbus.SessionBus()
    if cmd == "wait-item":
        end = time.time() + float(sys.argv[2] if len(sys.argv) > 2 else 10)
        while time.time() < end:
            found = items(bus)
            if found:
                print(found[0])
                return
            time.sleep(0.1)
        sys.exit("no item registered in time")
    if cmd == "host":
        try:
            w = bus.get_object(WATCHER, "/StatusNotifierWatcher")
            sys.exit(0 if w.Get(WATCHER, "IsStatusNotifierHostRegistered",
                                dbus_interface="org.freedesktop.DBus.Properties") else 1)
        except dbus.DBusException:
            sys.exit(1)
    if cmd == "count":
        print(len(items(bus)))
        return
    if cmd == "prop":
        value = prop(item(bus), sys.argv[2])
        if isinstance(value, dbus.Struct):  # the tooltip: its texts
            value = "|".join(str(v) for v in value if isinstance(v, dbus.String))
        print(value if not isinstance(value, dbus.Boolean) else bool(value))
        return
    if cmd == "layout":
        for cid, depth, kind, label, enabled, icon, sub in layout(bus):
            print("%d\t%s%s\t%s\t%s\t%s\t%s" % (cid, "  " * depth, label if kind != "separator" else "---",
                                                 "on" if enabled else "off", icon, sub, kind))
        return
    if cmd == "icons":
        def icons(node):
            cid, props, children = node
            if "label" in props:
                data = bytes(props.get("icon-data", b""))
                # A PNG's width: bytes 16 to 19 of its header.
                width = int.from_bytes(data[16:20], "big") if data[:8] == b"\x89PNG\r\n\x1a\n" else 0
                print("%s\t%s\t%d" % (props["label"], props.get("icon-name", ""), width))
            for child in children:
                icons(child)
        icons(menu(bus).GetLayout(0, -1, [], dbus_interface=MENU)[1])
        return
    if cmd == "click":
        wanted = sys.argv[2].split("/")
        entries = layout(bus)
        depth, chosen = 0, None
        for cid, d, kind, label, *_ in entries:
            if d == depth and label == wanted[depth]:
                if depth == len(wanted) - 1:
                    chosen = cid
                    break
                depth += 1
        if chosen is None:
            sys.exit("no entry " + sys.argv[2])
        menu(bus).Event(chosen, "clicked", dbus.String("", variant_level=1), dbus.UInt32(0), dbus_interface=MENU)
        return
    if cmd in ("activate", "context"):
        method = "Activate" if cmd == "activate" else "ContextMenu"
        try:
            getattr(item(bus), method)(int(sys.argv[2]), int(sys.argv[3]), dbus_interface=ITEM)
            print("ok")
        except dbus.DBusException as e:
            print(e.get_dbus_name())
        return
    sys.exit(__doc__)


if __name__ == "__main__":
    main()
