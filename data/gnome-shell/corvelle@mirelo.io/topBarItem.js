// Corvelle's item in GNOME Shell's top bar. Corvelle is a program of its own that publishes what
// the item shows on the session bus; this draws it and sends the clicks back. Nothing here samples
// the machine, and nothing is shown while Corvelle is not running.
//
// While the item exists it owns HOST_NAME, which tells Corvelle to publish here instead of in a
// tray or a window of its own. Corvelle owns ITEM_NAME while it publishes; its object ITEM_PATH
// carries the title (Label), a text as wide as the widest title of the same parts (LabelGuide: the
// bar keeps its width as the figures change), the picture (Icon, a GIcon string), the accessible
// name and the menu's path (com.canonical.dbusmenu). A left click calls Activate with the item's
// place on the stage, where Corvelle opens its panel; a right click shows Corvelle's menu here.
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';

export const HOST_NAME = 'io.mirelo.corvelle.TopBar';
export const ITEM_NAME = 'io.mirelo.corvelle.TopBarItem';
const ITEM_PATH = '/io/mirelo/corvelle/TopBarItem';
const ITEM_INTERFACE = 'io.mirelo.corvelle.TopBarItem';
const MENU_INTERFACE = 'com.canonical.dbusmenu';

// Digits of one width, as in the clock: the title does not shift as they change.
const TITLE_STYLE = 'font-feature-settings: "tnum";';

// A dbusmenu label marks its access key with "_" and writes a literal one as "__".
function plainLabel(label) {
    return label.replace(/__|_/g, mark => (mark === '__' ? '_' : ''));
}

// The rows of a GetLayout answer: [{id, separator, label, enabled}], the visible ones only.
export function menuRows(layout) {
    const [, [, , children]] = layout.recursiveUnpack();
    return children
        .filter(([, properties]) => properties.visible !== false)
        .map(([id, properties]) => ({
            id,
            separator: properties.type === 'separator',
            label: plainLabel(properties.label ?? ''),
            enabled: properties.enabled !== false,
        }));
}

function notCancelled(error) {
    if (!error.matches(Gio.IOErrorEnum, Gio.IOErrorEnum.CANCELLED))
        logError(error, 'Corvelle');
}

export class TopBarItem {
    /**
     * @param {object} shell - the shell's pieces, which each shell version imports its own way:
     *   Clutter, St, Main, PanelMenu and PopupMenu
     * @param {string} role - the item's name in the panel's status area
     */
    constructor(shell, role) {
        this._shell = shell;
        this._role = role;
        this._button = null;
        this._session = null;
        this._hostId = Gio.bus_own_name(Gio.BusType.SESSION, HOST_NAME, Gio.BusNameOwnerFlags.NONE,
            null, null, null);
        this._watchId = Gio.bus_watch_name(Gio.BusType.SESSION, ITEM_NAME, Gio.BusNameWatcherFlags.NONE,
            (connection, _name, owner) => this._connect(connection, owner),
            () => this._disconnect());
    }

    destroy() {
        Gio.bus_unwatch_name(this._watchId);
        Gio.bus_unown_name(this._hostId);
        this._disconnect();
    }

    // Corvelle came: its properties are read before the item shows.
    _connect(connection, owner) {
        this._disconnect();
        const session = {connection, owner, cancellable: new Gio.Cancellable(), proxy: null, subscriptions: []};
        this._session = session;
        Gio.DBusProxy.new(connection, Gio.DBusProxyFlags.DO_NOT_AUTO_START, null, owner, ITEM_PATH,
            ITEM_INTERFACE, session.cancellable, (_source, result) => {
                try {
                    session.proxy = Gio.DBusProxy.new_finish(result);
                } catch (error) {
                    notCancelled(error);
                    return;
                }
                if (this._session === session)
                    this._show();
            });
    }

    // Corvelle went, or the item goes: nothing of it stays in the bar.
    _disconnect() {
        const session = this._session;
        this._session = null;
        if (session) {
            session.cancellable.cancel();
            session.subscriptions.forEach(id => session.connection.signal_unsubscribe(id));
            if (session.proxy && session.propertiesId)
                session.proxy.disconnect(session.propertiesId);
        }
        this._button?.destroy();
        this._button = null;
    }

    _show() {
        const {Clutter, St, Main, PanelMenu} = this._shell;
        const session = this._session;
        const button = new PanelMenu.Button(0.5, 'Corvelle', false);
        const box = new St.BoxLayout({style_class: 'panel-status-indicators-box'});
        this._icon = new St.Icon({style_class: 'system-status-icon'});
        this._iconText = null;
        // The guide, drawn invisibly under the title, holds the width of the widest title.
        this._titles = new St.Widget({layout_manager: new Clutter.BinLayout(), y_align: Clutter.ActorAlign.CENTER});
        this._guide = new St.Label({style: TITLE_STYLE, opacity: 0});
        this._label = new St.Label({style: TITLE_STYLE, x_align: Clutter.ActorAlign.START});
        this._titles.add_child(this._guide);
        this._titles.add_child(this._label);
        box.add_child(this._icon);
        box.add_child(this._titles);
        button.add_child(box);
        button.connect('event', (_actor, event) => this._onEvent(event));
        button.menu.connect('open-state-changed', (_menu, open) => {
            if (open)
                this._call(this._menuPath(), 'AboutToShow', new GLib.Variant('(i)', [0]));
        });
        session.propertiesId = session.proxy.connect('g-properties-changed', () => this._update());
        session.subscriptions.push(session.connection.signal_subscribe(session.owner, MENU_INTERFACE,
            'LayoutUpdated', this._menuPath(), null, Gio.DBusSignalFlags.NONE, () => this._loadMenu()));
        this._button = button;
        this._update();
        Main.panel.addToStatusArea(this._role, button);
        this._loadMenu();
    }

    _property(name, fallback) {
        return this._session.proxy.get_cached_property(name)?.unpack() ?? fallback;
    }

    _menuPath() {
        return this._property('Menu', '/MenuBar');
    }

    _update() {
        const label = this._property('Label', '');
        this._label.text = label;
        this._guide.text = this._property('LabelGuide', label);
        this._titles.visible = label !== '';
        this._button.accessible_name = this._property('AccessibleName', 'Corvelle');
        const iconText = this._property('Icon', '');
        if (iconText !== this._iconText) {
            this._iconText = iconText;
            try {
                this._icon.gicon = iconText ? Gio.icon_new_for_string(iconText) : null;
            } catch (error) {
                logError(error, 'Corvelle');
                this._icon.gicon = null;
            }
            this._icon.visible = this._icon.gicon !== null;
        }
    }

    _onEvent(event) {
        const {Clutter} = this._shell;
        const type = event.type();
        const press = type === Clutter.EventType.BUTTON_PRESS || type === Clutter.EventType.TOUCH_BEGIN;
        // The secondary button goes on to the button's own handler, which opens the menu.
        if (!press || (type === Clutter.EventType.BUTTON_PRESS && event.get_button() === Clutter.BUTTON_SECONDARY))
            return Clutter.EVENT_PROPAGATE;
        this._button.menu.close();
        const [x, y] = this._button.get_transformed_position();
        const [width, height] = this._button.get_transformed_size();
        this._session.proxy.call('Activate', new GLib.Variant('(iiii)', [x, y, width, height].map(Math.round)),
            Gio.DBusCallFlags.NONE, -1, null, null);
        return Clutter.EVENT_STOP;
    }

    // Calls Corvelle's menu; `done` gets the answer.
    _call(path, method, parameters, done = () => {}) {
        const session = this._session;
        session.connection.call(session.owner, path, MENU_INTERFACE, method, parameters, null,
            Gio.DBusCallFlags.NO_AUTO_START, -1, session.cancellable, (connection, result) => {
                try {
                    done(connection.call_finish(result));
                } catch (error) {
                    notCancelled(error);
                }
            });
    }

    // The menu is read when Corvelle comes and whenever it says its rows changed (a new
    // language), so that it is ready when the right click comes.
    _loadMenu() {
        const session = this._session;
        this._call(this._menuPath(), 'GetLayout', new GLib.Variant('(iias)', [0, -1, []]), layout => {
            if (this._session === session)
                this._fillMenu(menuRows(layout));
        });
    }

    _fillMenu(rows) {
        const {PopupMenu} = this._shell;
        const menu = this._button.menu;
        menu.removeAll();
        for (const row of rows) {
            if (row.separator) {
                menu.addMenuItem(new PopupMenu.PopupSeparatorMenuItem());
                continue;
            }
            const item = new PopupMenu.PopupMenuItem(row.label);
            item.setSensitive(row.enabled);
            item.connect('activate', () => this._call(this._menuPath(), 'Event',
                new GLib.Variant('(isvu)', [row.id, 'clicked', new GLib.Variant('i', 0), 0])));
            menu.addMenuItem(item);
        }
    }
}
