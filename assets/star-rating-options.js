
/* Sumberlaras: the pages ask for read-only stars with the option name
   "readOnly"; this release of the widget reads "readonly". Map the one onto
   the other so the pages' options take effect. */
(function ($) {
    'use strict';
    if (!$ || !$.fn || !$.fn.rating) {
        return;
    }
    var rating = $.fn.rating;
    var withOptions = function (option) {
        if (option && typeof option === 'object' && option.readOnly !== undefined &&
            option.readonly === undefined) {
            var args = Array.prototype.slice.call(arguments);
            args[0] = $.extend({}, option, {readonly: option.readOnly});
            return rating.apply(this, args);
        }
        return rating.apply(this, arguments);
    };
    $.extend(withOptions, rating);
    $.fn.rating = withOptions;
}(window.jQuery));
