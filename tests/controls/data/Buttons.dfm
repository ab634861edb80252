object Form: TForm
  object Box: TCheckBox
    Left = 10
    Top = 10
  end
  object Other: TCheckBox
    Left = 10
    Top = 40
  end
  object Radio1: TRadioButton
    Left = 10
    Top = 70
  end
  object Radio2: TRadioButton
    Left = 10
    Top = 90
  end
  object Radio3: TRadioButton
    Left = 10
    Top = 110
  end
  object Ok: TButton
    Left = 10
    Top = 140
    Default = True
  end
  object Cancel: TButton
    Left = 100
    Top = 140
    Cancel = True
  end
  object Edit: TEdit
    Left = 10
    Top = 180
  end
  object Speed1: TSpeedButton
    Left = 150
    Top = 220
  end
  object Speed2: TSpeedButton
    Left = 180
    Top = 220
  end
  object Speed3: TSpeedButton
    Left = 210
    Top = 220
  end
  object Group: TPanel
    Left = 260
    Top = 160
    Width = 130
    Height = 100
    object Inner: TRadioButton
      Left = 5
      Top = 5
    end
  end
end
