inherited Form1: TForm1 [3]
  List = (
    1
    -70000
    78187493530
    18446744073709551615
    'a'
    #1000
    Ident.Sub
    True
    False
    nil
    [a, b]
    []
    ()
    <>
    {}
    {
      00FF}
    2.5
    2.5s
    2.5d
    2.5c
    (
      (
        <
          item [7]
            Inner = (
              1)
            inherited = 2
          end>))
    !eFFFF0000000000000001)
  inline Frame1: TFrame1
    object TAnon
    end
  end
end
