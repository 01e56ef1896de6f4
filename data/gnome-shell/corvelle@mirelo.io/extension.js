// The entry point of GNOME Shell 45 and later, which load extension.js as a module. Shells
// before 45 load extension/__init__.js instead; both hand their own pieces to the one item.
import Clutter from 'gi://Clutter';
import St from 'gi://St';

import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';
import * as Main from 'resource:///org/gnome/shell/ui/main.js';
import * as PanelMenu from 'resource:///org/gnome/shell/ui/panelMenu.js';
import * as PopupMenu from 'resource:///org/gnome/shell/ui/popupMenu.js';

import {TopBarItem} from './topBarItem.js';

export default class CorvelleExtension extends Extension {
    enable() {
        this._item = new TopBarItem({Clutter, St, Main, PanelMenu, PopupMenu}, this.uuid);
    }

    disable() {
        this._item?.destroy();
        this._item = null;
    }
}
