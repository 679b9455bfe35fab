#!/usr/bin/python3
"""Asks GNOME Shell what it shows, through org.gnome.Shell.Eval (the test's
extension sets unsafe_mode), and drives it like a person: clicks from a
virtual pointer of the shell's own, screenshots.

  gnome.py eval JS                 the value of a script, as JSON
  gnome.py indicators              the AppIndicator extension's icons in the
                                   top bar: "name<TAB>X Y W H", one a line
  gnome.py click X Y BUTTON [N]    N presses (1: a click, 2: a double click)
  gnome.py menu                    the open top-bar menu's entries, one a
                                   line: "X Y<TAB>label" (nothing: none open)
  gnome.py keys TEXT               types TEXT from a virtual keyboard of the
                                   shell's own (a newline in it: Return)
  gnome.py chord KEY...            presses the keys (Clutter key names, e.g.
                                   Control_L Alt_L o) together, then lets go
  gnome.py screenshot FILE         the whole screen
"""
import json
import sys

import dbus

KEYBOARD = """
const Clutter = imports.gi.Clutter;
const GLib = imports.gi.GLib;
if (!global._orbelKeyboard)
    global._orbelKeyboard = Clutter.get_default_backend().get_default_seat()
        .create_virtual_device(Clutter.InputDeviceType.KEYBOARD_DEVICE);
const k = global._orbelKeyboard;
let t = GLib.get_monotonic_time();
"""

POINTER = """
const Clutter = imports.gi.Clutter;
const GLib = imports.gi.GLib;
if (!global._orbelPointer)
    global._orbelPointer = Clutter.get_default_backend().get_default_seat()
        .create_virtual_device(Clutter.InputDeviceType.POINTER_DEVICE);
const p = global._orbelPointer;
"""


def shell_eval(code):
    bus = dbus.SessionBus()
    shell = bus.get_object("org.gnome.Shell", "/org/gnome/Shell")
    ok, res = shell.Eval(code, dbus_interface="org.gnome.Shell")
    if not ok:
        sys.exit("Eval failed: " + str(res))
    return json.loads(str(res)) if res else None


def main():
    cmd = sys.argv[1]
    if cmd == "eval":
        print(json.dumps(shell_eval(sys.argv[2])))
    elif cmd == "indicators":
        found = shell_eval("""
            Object.entries(Main.panel.statusArea).filter(([k, v]) => k.startsWith('appindicator-') && v.visible)
              .map(([k, v]) => { const [x, y] = v.get_transformed_position(); const [w, h] = v.get_transformed_size();
                                 return [v.accessible_name || '', x, y, w, h]; })""")
        for name, x, y, w, h in found:
            print("%s\t%d %d %d %d" % (name, x, y, w, h))
    elif cmd == "click":
        x, y, button = (int(v) for v in sys.argv[2:5])
        n = int(sys.argv[5]) if len(sys.argv) > 5 else 1
        shell_eval(POINTER + """
            let t = GLib.get_monotonic_time();
            p.notify_absolute_motion(t, %d, %d);
            for (let i = 0; i < %d; i++) {
                p.notify_button(t += 20000, %d, Clutter.ButtonState.PRESSED);
                p.notify_button(t += 20000, %d, Clutter.ButtonState.RELEASED);
            }
            true""" % (x, y, n, button, button))
    elif cmd == "keys":
        shell_eval(KEYBOARD + """
            for (const c of %s) {
                const sym = c === '\\n' ? Clutter.KEY_Return : Clutter.unicode_to_keysym(c.charCodeAt(0));
                k.notify_keyval(t += 20000, sym, Clutter.KeyState.PRESSED);
                k.notify_keyval(t += 20000, sym, Clutter.KeyState.RELEASED);
            }
            true""" % json.dumps(sys.argv[2]))
    elif cmd == "chord":
        shell_eval(KEYBOARD + """
            const syms = %s.map(n => Clutter['KEY_' + n]);
            for (const s of syms) k.notify_keyval(t += 20000, s, Clutter.KeyState.PRESSED);
            for (const s of syms.reverse()) k.notify_keyval(t += 20000, s, Clutter.KeyState.RELEASED);
            true""" % json.dumps(sys.argv[2:]))
    elif cmd == "menu":
        found = shell_eval("""
            const Main = imports.ui.main;
            const menus = Main.panel.menuManager._menus.map(m => m.menu || m).filter(m => m.isOpen);
            const out = [];
            const walk = m => m._getMenuItems().forEach(item => {
                if (!item.visible || !item.label) return;
                const [x, y] = item.get_transformed_position(); const [w, h] = item.get_transformed_size();
                out.push([Math.round(x + w / 2), Math.round(y + h / 2), item.label.text]);
                if (item.menu && item.menu.isOpen) walk(item.menu);
            });
            menus.forEach(walk);
            out""")
        for x, y, label in found:
            print("%d %d\t%s" % (x, y, label))
    elif cmd == "screenshot":
        bus = dbus.SessionBus()
        shot = bus.get_object("org.gnome.Shell.Screenshot", "/org/gnome/Shell/Screenshot")
        ok, _ = shot.Screenshot(False, False, sys.argv[2], dbus_interface="org.gnome.Shell.Screenshot")
        sys.exit(0 if ok else 1)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
