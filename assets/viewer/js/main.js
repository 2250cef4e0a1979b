// Behaviour shared by the generated catalogue pages, run once the document is ready.
$(document).ready(function () {
    // Scope menu of the search field: the chosen entry names the scope.
    $('.search-panel .dropdown-menu').find('a').click(function (e) {
        e.preventDefault();
        var param = $(this).attr('href').replace('#', '');
        var concept = $(this).text();
        $('.search-panel span#search_concept').text(concept);
        $('.input-group #search_param').val(param);
    });
    // Account menu: opens while the pointer is over it, with the page dimmed.
    $('.dropdown').hover(
        function () {
            $(this).find('.login-inner').stop(true, true).fadeIn('fast');
            $(this).addClass('open');
            $('#overlay').show();
        },
        function () {
            $(this).find('.login-inner').stop(true, true).fadeOut('fast');
            $(this).toggleClass('open');
            $('#overlay').hide();
        }
    );

    // Lazy images: covers and banners get their address when they come into view.
    var lazy = new LazyLoad();

    // Book rows scroll six at a time.
    if ($.fn.slick) {
        $('.multiple-items').slick({
            lazyLoad: 'ondemand',
            infinite: true,
            slidesToShow: 6,
            slidesToScroll: 6
        });

        // Banners play by themselves, with dots and without arrows.
        $('.banner').slick({
            lazyLoad: 'ondemand',
            infinite: true,
            dots: true,
            arrows: false,
            autoplay: true,
            autoplaySpeed: 2000
        });
        // The carousels copy slides at their ends; let the copies load too.
        lazy.update();
    }

    // Ratings are shown, never edited.
    if ($.fn.rating) {
        $('.rating-detail').rating({
            glyphicon: false,
            ratingClass: 'rating-fa',
            size: 'xs',
            step: 1,
            showClear: false,
            showCaption: false,
            readOnly: true
        });
    }
});
