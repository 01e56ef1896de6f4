// The extension's module-form entry point, as GNOME Shell 45 and later load it, under gjs: the
// shell's own modules are fakes in a resource bundle at their real addresses, St and Clutter the
// real libraries (only loaded). The entry point must load, be the shell's Extension, and own the
// name that sends Corvelle's item to the top bar exactly while enabled. Also how Corvelle's menu
// becomes rows. Run under dbus-run-session; the fakes are written to SCRATCH_DIR.
// Usage: gjs -m gnome_extension.js EXTENSION_DIR SCRATCH_DIR
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import System from 'system';

const [extensionDir, folder] = System.programArgs;
let failed = 0, passed = 0;

function check(what, ok) {
    if (ok) {
        passed++;
    } else {
        failed++;
        printerr(`FAIL: ${what}`);
    }
}

// The shell's modules the entry point imports, as small as it needs them.
const fakes = {
    'extensions/extension.js': 'export class Extension { constructor(metadata) { this.metadata = metadata; this.uuid = metadata.uuid; } }',
    'ui/main.js': 'export const panel = {statusArea: {}};',
    'ui/panelMenu.js': 'export class Button {}',
    'ui/popupMenu.js': 'export class PopupMenuItem {} export class PopupSeparatorMenuItem {}',
};

function registerFakeShell() {
    const files = Object.entries(fakes).map(([path, text]) => {
        GLib.mkdir_with_parents(GLib.path_get_dirname(`${folder}/${path}`), 0o755);
        GLib.file_set_contents(`${folder}/${path}`, text);
        return `<file>${path}</file>`;
    });
    const manifest = `${folder}/shell.gresource.xml`;
    GLib.file_set_contents(manifest,
        `<gresources><gresource prefix="/org/gnome/shell">${files.join('')}</gresource></gresources>`);
    const bundle = `${folder}/shell.gresource`;
    const [, , errors, status] = GLib.spawn_sync(null,
        ['glib-compile-resources', `--sourcedir=${folder}`, `--target=${bundle}`, manifest], null,
        GLib.SpawnFlags.SEARCH_PATH, null);
    if (status !== 0)
        throw new Error(`glib-compile-resources: ${new TextDecoder().decode(errors)}`);
    Gio.Resource.load(bundle)._register();
}

function nameOwned(name) {
    const [owned] = Gio.DBus.session.call_sync('org.freedesktop.DBus', '/org/freedesktop/DBus',
        'org.freedesktop.DBus', 'NameHasOwner', new GLib.Variant('(s)', [name]), null,
        Gio.DBusCallFlags.NONE, -1, null).deepUnpack();
    return owned;
}

// Runs the main loop until `done` holds, for at most five seconds.
function waitFor(done) {
    const deadline = GLib.get_monotonic_time() + 5000000;
    while (!done() && GLib.get_monotonic_time() < deadline)
        GLib.MainContext.default().iteration(false) || GLib.usleep(10000);
    return done();
}

registerFakeShell();
const {Extension} = await import('resource:///org/gnome/shell/extensions/extension.js');
const extensionUri = Gio.File.new_for_path(`${extensionDir}/extension.js`).get_uri();
const {default: CorvelleExtension} = await import(extensionUri);
const [, metadataBytes] = Gio.File.new_for_path(`${extensionDir}/metadata.json`).load_contents(null);
const metadata = JSON.parse(new TextDecoder().decode(metadataBytes));
check('the default export is an Extension', CorvelleExtension.prototype instanceof Extension);
check('metadata lists GNOME 43 to 47', ['43', '44', '45', '46', '47'].every(v => metadata['shell-version'].includes(v)));

const {HOST_NAME, menuRows} = await import(Gio.File.new_for_path(`${extensionDir}/topBarItem.js`).get_uri());
const extension = new CorvelleExtension(metadata);
check('not in the top bar before it is enabled', !nameOwned(HOST_NAME));
extension.enable();
check('enabled: Corvelle is told to publish in the top bar', waitFor(() => nameOwned(HOST_NAME)));
extension.disable();
check('disabled: Corvelle is told it no longer may', waitFor(() => !nameOwned(HOST_NAME)));

const row = (id, properties) => new GLib.Variant('(ia{sv}av)', [id, properties, []]);
const text = value => new GLib.Variant('s', value);
const layout = new GLib.Variant('(u(ia{sv}av))', [7, [0, {}, [
    row(1, {label: text('_Open Corvelle')}),
    row(2, {type: text('separator')}),
    row(3, {label: text('Hidden'), visible: new GLib.Variant('b', false)}),
    row(4, {label: text('Save__as'), enabled: new GLib.Variant('b', false)}),
]]]);
check('menu rows: access keys dropped, hidden rows left out', JSON.stringify(menuRows(layout)) === JSON.stringify([
    {id: 1, separator: false, label: 'Open Corvelle', enabled: true},
    {id: 2, separator: true, label: '', enabled: true},
    {id: 4, separator: false, label: 'Save_as', enabled: false},
]));

print(`${passed} passed, ${failed} failed`);
System.exit(failed ? 1 : 0);
