// Tests only: lets gnome.sh drive the shell. Unsafe mode opens Eval and the screenshot interface
// to the test; banners are held back so that none covers what the test looks at (notifications
// still reach the message tray, where the test reads them); a virtual pointer clicks like a hand.
/* exported init */
const {Clutter, GLib} = imports.gi;
const Main = imports.ui.main;

function init() {
    return {
        enable() {
            Main.messageTray.bannerBlocked = true;
            global.context.unsafe_mode = true;
            const seat = Clutter.get_default_backend().get_default_seat();
            const pointer = seat.create_virtual_device(Clutter.InputDeviceType.POINTER_DEVICE);
            globalThis.testDriver = {
                click(x, y, button) {
                    const now = GLib.get_monotonic_time();
                    pointer.notify_absolute_motion(now, x, y);
                    pointer.notify_button(now + 1000, button, Clutter.ButtonState.PRESSED);
                    pointer.notify_button(now + 2000, button, Clutter.ButtonState.RELEASED);
                },
            };
        },
        disable() {},
    };
}
