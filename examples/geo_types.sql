-- Geometry types: a point with a user constructor, and a polygon of points.
create or replace type geo_point_t as object (
  x number,
  y number,
  srid integer,
  constructor function geo_point_t(x number, y number) return self as result,
  member function distance_to(p_other in geo_point_t) return number,
  member function to_string return varchar2,
  map member function sort_key return number,
  static function origin return geo_point_t
);
/

create or replace type geo_point_list_t as table of geo_point_t;
/

create or replace type geo_reader_udt_t authid current_user as object (
     ctx integer
    -- the rows fetched so far, counted across all of the bulk fetches
    , rows_fetched integer
)
not final;
/

create or replace type geo_polygon_t as object (
  name varchar2(100),
  points geo_point_list_t,
  member function perimeter return number,
  member procedure add_point(self in out nocopy geo_polygon_t, p_point in geo_point_t)
) not final;
/

create or replace type body geo_point_t as
  constructor function geo_point_t(x number, y number) return self as result is
  begin
    self.x := x;
    self.y := y;
    self.srid := 4326;
    return;
  end;

  member function distance_to(p_other in geo_point_t) return number is
  begin
    return sqrt(power(p_other.x - x, 2) + power(p_other.y - y, 2)); /* on a sphere see
      https://en.wikipedia.org/wiki/Great-circle_distance#Computational_formulae */
  end distance_to;

  member function to_string return varchar2 is
  begin
    return 'POINT(' || to_char(x) || ' ' || to_char(y) || ')';
  end to_string;

  map member function sort_key return number is
  begin
    return x * 1e6 + y;
  end sort_key;

  static function origin return geo_point_t is
  begin
    return geo_point_t(0, 0);
  end origin;
end;
/

create or replace type body geo_polygon_t as
  member function perimeter return number is
    l_total number := 0;
  begin
    if points is null or points.count < 2 then
      return 0;
    end if;
    for i in 1 .. points.count - 1 loop
      l_total := l_total + points(i).distance_to(points(i + 1));
    end loop;
    return l_total + points(points.count).distance_to(points(1));
  end perimeter;

  member procedure add_point(self in out nocopy geo_polygon_t, p_point in geo_point_t) is
  begin
    if points is null then
      points := geo_point_list_t();
    end if;
    points.extend;
    points(points.count) := p_point;
  end add_point;
end;
/

declare
  l_square geo_polygon_t := geo_polygon_t('square', geo_point_list_t());
begin
  l_square.add_point(geo_point_t.origin());
  l_square.add_point(geo_point_t(1, 0));
  l_square.add_point(geo_point_t(1, 1));
  l_square.add_point(geo_point_t(0, 1));
  dbms_output.put_line(l_square.name || ' has perimeter ' || l_square.perimeter());
end;
/

create or replace type geo_tile_t as object (
  /*
      A tile of the map cache: the points that fall inside one square of the grid, kept
    so that the viewer does not ask the database again for each point while the user pans.
      The cache is cleared by the nightly job; a tile older than a day is read again.
  */
  zoom_level integer,
  tile_x integer,
  tile_y integer,
  points geo_point_list_t,

  /* Constructors */
  constructor function geo_tile_t(p_zoom integer, p_x integer, p_y integer) return self as result,

  /* Content */
  member procedure clear(self in out nocopy geo_tile_t),
  member function point_count return integer
);
/

create or replace type body geo_tile_t as
  constructor function geo_tile_t(p_zoom integer, p_x integer, p_y integer)
  return self as result
  is
  begin
    zoom_level := p_zoom;
    tile_x := p_x;
    tile_y := p_y;
    points := geo_point_list_t();
    return;
  end;

  member procedure clear(self in out nocopy geo_tile_t)
  is
  begin
    if (points is not null)
    then
      points.delete;
    end if;
  end clear;

  member function point_count return integer
  is
    l_count integer := 0;
  begin
    for i in 1 .. nvl(points.count, 0)
    loop
      l_count := l_count + 1;
    end loop;
    return l_count;
  end point_count;
end;
/
