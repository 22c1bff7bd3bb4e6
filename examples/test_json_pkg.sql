create or replace package test_json_pkg
as
  --%suite(JSON values)
  --%suitepath(util.json)

  --%test(numbers keep their precision)
  procedure numbers;

  --%test(strings with quotes)
  procedure quoted_strings;

  --%test(type names)
  procedure type_names;

  --%test(Parsed sizes)
  procedure parsed_sizes;
end test_json_pkg;
/

create or replace package body test_json_pkg
as
  function type_name(p_value in json_element_t) return varchar2
  is
  begin
    return case
             when p_value is null then 'null'
             when p_value.is_object then 'object'
             when p_value.is_array then 'array'
             else case when p_value.is_number then 'number'
                       when p_value.is_string then 'string'
                       else case when p_value.is_boolean then 'boolean' else 'unknown' end
                  end
           end;
  end type_name;

  function expected_kind(p_text in varchar2) return pls_integer
  is
  begin
    return case when p_text = 'null' then 1 else case when p_text like '{%' then 2 else 3 end end;
  end expected_kind;

  procedure numbers
  as
    obj json_object_t := json_object_t.parse('{"a":[1,{"b":2.718281828459e210}]}');
    l_small binary_float := 10.5f;
    l_tiny number := .5E-3;
    l_large binary_double := 1e127d;
  begin
    ut.expect(nvl(pkg.get_double(obj, 'a[2][1].a.i[1].E'), 0) = 2.718281828459e210d, 'nvl(...) = 2.718281828459e210d').to_be_true();
    ut.expect(l_small).to_equal(10.5f);
    ut.expect(l_tiny * 2).to_equal(1E-3);
    ut.expect(l_large / 1e126d).to_equal(1.0d);
    ut.expect(binary_double_infinity > l_large).to_be_true();
  end numbers;

  procedure quoted_strings
  as
    l_first varchar2(100) := q'[it's here]';
    l_second varchar2(100) := Q'[it's "quoted" here]';
    l_third nvarchar2(100) := nq'{a'b}';
    l_fourth nvarchar2(100) := nQ'(c'd)';
    l_fifth nvarchar2(100) := Nq'<e'f>';
    l_sixth nvarchar2(100) := NQ'!g'h!';
    l_national nvarchar2(100) := N'national text';
  begin
    ut.expect(l_first).to_equal('it''s here');
    ut.expect(json_object_t.parse(q'~{"text":"it's"}~').get_string('text')).to_equal(q'{it's}');
    ut.expect(l_third || l_fourth || l_fifth || l_sixth).to_equal(n'a''bc''de''fg''h');
    ut.expect(length(l_second)).to_equal(19);
    ut.expect(l_national).to_be_not_null();
  end quoted_strings;

  procedure type_names
  as
    result varchar2(30);
  begin
    result := type_name(json_element_t.parse('[1, 2]'));
    ut.expect(result).to_equal('array');
    result := type_name(json_element_t.parse('{}'));
    ut.expect(result).to_equal('object');
    ut.expect(expected_kind('null')).to_equal(1);
  end type_names;

  procedure parsed_sizes
  as
    l_actual sys_refcursor;
    l_expected sys_refcursor;
    l_document_count pls_integer;
  begin
    open l_expected for
      select 2 as element_count from dual;
    load_fixture(p_doc => c_test_document, p_limit => c_element_limit);
    open l_actual for
      select get_size(d.document_id) as element_count
        from json_documents d where d.document_id = c_test_document;
    ut.expect(l_actual).to_equal(l_expected);
    -- indented deeper than its neighbours, as pasted from elsewhere
    load_fixture(p_doc => c_test_document, p_limit => c_element_limit);
        select count(*) into l_document_count from json_documents;
  end parsed_sizes;
end test_json_pkg;
/
