#pragma once

// The size of a widget's base picture: the area where the pointer makes the
// widget hot.
struct WidgetSize {
    int width, height;
};

// Where a screen makes one of its widgets: the top-left corner of its base
// picture and that picture's size. Screens make their widgets from these
// places and the whole-program tests click the same places, so a widget that
// moves takes the tests' clicks along.
struct WidgetPlace {
    int x, y;
    WidgetSize size;

    constexpr int centreX() const { return x + size.width / 2; }
    constexpr int centreY() const { return y + size.height / 2; }
};

// The button pictures several screens share.
constexpr WidgetSize STRIP_BUTTON{186, 28};       // krvl_button_base.png
constexpr WidgetSize CONFIRMATION_BUTTON{80, 40}; // confirmation_button{okay,cancel}base.png
constexpr WidgetSize STORY_BUTTON{100, 36};       // story_button{prev,next,done}base.png
