// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
class QWidget;

// Keeps controls at fixed distances from the edges of their parent as the parent is resized.
// A control's dynamic property "anchors" lists the edges it keeps ("left,top,right,bottom"); a
// control anchored on two opposite edges stretches, one anchored on the right or bottom edge only
// moves. Controls without the property keep their place (left and top).
//
// Installs on every anchored descendant of root; the current geometries are the design layout.
void installAnchors(QWidget *root);
