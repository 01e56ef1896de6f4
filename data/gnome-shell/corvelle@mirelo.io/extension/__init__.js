// The entry point of GNOME Shell 43 and 44. Their legacy importer finds this folder, named
// "extension", before extension.js (the module that GNOME Shell 45 and later load), and takes
// init() from this file. The item itself is a module, loaded once enabled.
/* exported init */
const {Clutter, St} = imports.gi;
const Main = imports.ui.main;
const PanelMenu = imports.ui.panelMenu;
const PopupMenu = imports.ui.popupMenu;

class CorvelleExtension {
    constructor(extension) {
        this._extension = extension;
        this._item = null;
        this._enabled = false;
    }

    enable() {
        this._enabled = true;
        const module = this._extension.dir.get_child('topBarItem.js').get_uri();
        import(module).then(({TopBarItem}) => {
            // Disabled, or enabled again, while the module loaded.
            if (this._enabled && !this._item)
                this._item = new TopBarItem({Clutter, St, Main, PanelMenu, PopupMenu}, this._extension.uuid);
        }).catch(error => logError(error, 'Corvelle'));
    }

    disable() {
        this._enabled = false;
        this._item?.destroy();
        this._item = null;
    }
}

function init(extension) {
    return new CorvelleExtension(extension);
}
